// CCreateContext: what a frame needs to make its view (passed as the frame's creation param).
#pragma once

#include "framework/AfxCore.h"

class CDocument;
class CDocTemplate;
class CView;
class CFrameWnd;

struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};
