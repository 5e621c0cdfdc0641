// CWendmarkDoc: the console's document. It holds no data: the classroom lives in the view.
#pragma once

#include "framework/Document.h"

class CWendmarkDoc : public CDocument {
    DECLARE_DYNCREATE(CWendmarkDoc)
public:
    CWendmarkDoc() = default;
    ~CWendmarkDoc() override = default;

    BOOL OnNewDocument() override;
};
