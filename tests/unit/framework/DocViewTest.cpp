#include "framework/Afx.h"
#include "framework/CommandLineInfo.h"
#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/SingleDocTemplate.h"
#include "framework/View.h"

#include <gtest/gtest.h>

namespace {

// What the classes below saw; reset by each test.
struct Record {
    int docsAlive = 0;
    int newDocuments = 0;
    int initialUpdates = 0;
    int viewsAlive = 0;
    int framesAlive = 0;
    bool refuseNewDocument = false;
};
Record g_record;

class CTestDoc : public CDocument {
    DECLARE_DYNCREATE(CTestDoc)
public:
    CTestDoc() { ++g_record.docsAlive; }
    ~CTestDoc() override { --g_record.docsAlive; }
    BOOL OnNewDocument() override
    {
        ++g_record.newDocuments;
        return !g_record.refuseNewDocument && CDocument::OnNewDocument();
    }
};
IMPLEMENT_DYNCREATE(CTestDoc, CDocument)

class CTestView : public CView {
    DECLARE_DYNCREATE(CTestView)
public:
    CTestView() { ++g_record.viewsAlive; }
    ~CTestView() override { --g_record.viewsAlive; }
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override
    {
        ++g_record.initialUpdates;
        CView::OnInitialUpdate();
    }
};
IMPLEMENT_DYNCREATE(CTestView, CView)

// Keeps a band of 30 at the top and 10 at the bottom for itself, as a skinned frame does.
class CTestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CTestFrame)
public:
    CTestFrame() { ++g_record.framesAlive; }
    ~CTestFrame() override { --g_record.framesAlive; }
    void RecalcLayout(BOOL notify = TRUE) override
    {
        m_rectBorder = CRect(0, 30, 0, 10);
        CFrameWnd::RecalcLayout(notify);
    }
};
IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)

// An application object for one test, running as this thread's loop object.
class ScopedApp {
public:
    ScopedApp() : m_previous(CWinThread::GetCurrent())
    {
        g_record = Record{};
        CWinThread::SetCurrent(&m_app);
    }
    ~ScopedApp()
    {
        if (m_app.m_pMainWnd && m_app.m_pMainWnd->GetSafeHwnd())
            m_app.m_pMainWnd->DestroyWindow();
        DropQuitMessage();
        CWinThread::SetCurrent(m_previous);
    }
    // The WM_QUIT that the end of a main window posts, taken off the queue; true if there was one.
    static bool DropQuitMessage()
    {
        MSG msg;
        return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
    }
    CWinApp m_app{L"DocViewTest"};

private:
    CWinThread* m_previous;
};

CSingleDocTemplate* MakeTemplate()
{
    return new CSingleDocTemplate(128, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                  RUNTIME_CLASS(CTestView));
}

} // namespace

TEST(DocViewTest, FileNewMakesDocumentFrameAndViewKeptHiddenBySwHide)
{
    ScopedApp scoped;
    CWinApp& app = scoped.m_app;
    app.AddDocTemplate(MakeTemplate());
    app.m_nCmdShow = SW_HIDE;
    CCommandLineInfo info;
    ASSERT_EQ(info.m_nShellCommand, CCommandLineInfo::FileNew);
    ASSERT_TRUE(app.ProcessShellCommand(info));

    auto* frame = dynamic_cast<CTestFrame*>(app.m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(frame->IsWindowVisible());
    EXPECT_EQ(app.m_nCmdShow, -1);   // used by the first showing
    auto* view = dynamic_cast<CTestView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(::GetParent(view->GetSafeHwnd()), frame->GetSafeHwnd());
    ASSERT_NE(view->GetDocument(), nullptr);
    EXPECT_TRUE(view->GetDocument()->IsKindOf(RUNTIME_CLASS(CTestDoc)));
    EXPECT_EQ(frame->GetActiveDocument(), view->GetDocument());
    EXPECT_EQ(g_record.newDocuments, 1);
    EXPECT_EQ(g_record.initialUpdates, 1);

    // The view fills the client area less the frame's border.
    frame->SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect client;
    frame->GetClientRect(&client);
    CRect placed;
    view->GetWindowRect(&placed);
    frame->ScreenToClient(&placed);
    EXPECT_EQ(placed, CRect(0, 30, client.right, client.bottom - 10));
}

TEST(DocViewTest, ClosingTheMainFrameTakesViewAndDocumentAndEndsTheLoop)
{
    ScopedApp scoped;
    CWinApp& app = scoped.m_app;
    app.AddDocTemplate(MakeTemplate());
    app.m_nCmdShow = SW_HIDE;
    CCommandLineInfo info;
    ASSERT_TRUE(app.ProcessShellCommand(info));
    ASSERT_EQ(g_record.docsAlive, 1);

    app.m_pMainWnd->SendMessage(WM_CLOSE);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(g_record.framesAlive, 0);
    EXPECT_EQ(g_record.viewsAlive, 0);
    EXPECT_EQ(g_record.docsAlive, 0);
    EXPECT_TRUE(ScopedApp::DropQuitMessage());
}

TEST(DocViewTest, ARefusedNewDocumentLeavesNothingBehind)
{
    ScopedApp scoped;
    CWinApp& app = scoped.m_app;
    app.AddDocTemplate(MakeTemplate());
    app.m_nCmdShow = SW_HIDE;
    g_record.refuseNewDocument = true;
    CCommandLineInfo info;
    EXPECT_FALSE(app.ProcessShellCommand(info));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(g_record.framesAlive, 0);
    EXPECT_EQ(g_record.viewsAlive, 0);
    EXPECT_EQ(g_record.docsAlive, 0);
    EXPECT_FALSE(ScopedApp::DropQuitMessage());
}

TEST(DocViewTest, CommandLineArgumentsChooseTheShellCommand)
{
    CCommandLineInfo open;
    open.ParseParam(L"C:\\class\\a.kwd", FALSE, TRUE);
    EXPECT_EQ(open.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(open.m_strFileName, L"C:\\class\\a.kwd");

    CCommandLineInfo registering;
    registering.ParseParam(L"Regserver", TRUE, TRUE);
    EXPECT_EQ(registering.m_nShellCommand, CCommandLineInfo::AppRegister);

    // Opening a file that is not there fails: the program would end.
    ScopedApp scoped;
    scoped.m_app.AddDocTemplate(MakeTemplate());
    scoped.m_app.m_nCmdShow = SW_HIDE;
    CCommandLineInfo missing;
    missing.ParseParam(L"Z:\\no\\such\\file.kwd", FALSE, TRUE);
    EXPECT_FALSE(scoped.m_app.ProcessShellCommand(missing));
    EXPECT_EQ(g_record.docsAlive, 0);
}

namespace {

UINT ClassStyleOf(const CWnd* wnd)
{
    return static_cast<UINT>(::GetClassLongPtrW(wnd->GetSafeHwnd(), GCL_STYLE));
}

HCURSOR ClassCursorOf(const CWnd* wnd)
{
    return reinterpret_cast<HCURSOR>(::GetClassLongPtrW(wnd->GetSafeHwnd(), GCLP_HCURSOR));
}

// A frame that brings its own class, registered from a copy of the one the frame would use.
class COwnClassFrame : public CFrameWnd {
public:
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override
    {
        if (!CFrameWnd::PreCreateWindow(cs))
            return FALSE;
        WNDCLASSW wc = {};
        if (!::GetClassInfoW(AfxGetInstanceHandle(), cs.lpszClass, &wc))
            return FALSE;
        wc.lpszClassName = L"DocViewTestOwnFrame";
        ::RegisterClassW(&wc);
        cs.lpszClass = wc.lpszClassName;
        return TRUE;
    }
};

} // namespace

// The view's class decides whether double clicks arrive at all, and which cursor shows over it.
TEST(DocViewTest, ViewAndFrameGetTheClassTheirPreCreateWindowAsksFor)
{
    ScopedApp scoped;
    CWinApp& app = scoped.m_app;
    app.AddDocTemplate(MakeTemplate());
    app.m_nCmdShow = SW_HIDE;
    CCommandLineInfo info;
    ASSERT_TRUE(app.ProcessShellCommand(info));
    auto* frame = dynamic_cast<CTestFrame*>(app.m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    CView* view = frame->GetActiveView();
    ASSERT_NE(view, nullptr);

    const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    EXPECT_EQ(ClassStyleOf(view) & (CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW),
              static_cast<UINT>(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(ClassCursorOf(view), arrow);
    EXPECT_EQ(::GetClassLongPtrW(view->GetSafeHwnd(), GCLP_HBRBACKGROUND),
              static_cast<LONG_PTR>(COLOR_WINDOW + 1));
    EXPECT_NE(ClassStyleOf(frame) & CS_DBLCLKS, 0u);
    EXPECT_EQ(ClassCursorOf(frame), arrow);

    // A class given by the caller is kept; a plain window with none gets the bare default.
    wchar_t name[64] = {};
    auto* own = new COwnClassFrame;   // a frame deletes itself with its window
    ASSERT_TRUE(own->Create(nullptr, L"own", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100)));
    ::GetClassNameW(own->GetSafeHwnd(), name, 64);
    EXPECT_STREQ(name, L"DocViewTestOwnFrame");
    EXPECT_NE(ClassStyleOf(own) & CS_DBLCLKS, 0u);
    own->DestroyWindow();

    CWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, nullptr, L"plain", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(ClassStyleOf(&plain), 0u);
    EXPECT_EQ(ClassCursorOf(&plain), nullptr);
    plain.DestroyWindow();
}
