#include "shell/WendmarkDoc.h"

IMPLEMENT_DYNCREATE(CWendmarkDoc, CDocument)

BOOL CWendmarkDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}
