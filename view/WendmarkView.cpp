// The classroom view: start-up, settings and groups, the grid's layout and scroll column, and
// closing. Painting, timers, the login-server session and the sockets have files of their own.
#include "view/WendmarkView.h"

#include "activities/quiz/QuizPopups.h"
#include "activities/screenshare/ShareGlobals.h"
#include "dialogs/core/SettingsRules.h"
#include "foundation/AppGlobals.h"
#include "foundation/AppMessages.h"
#include "foundation/ConfigProfile.h"
#include "foundation/FileUtil.h"
#include "foundation/IniFile.h"
#include "foundation/IniSettings.h"
#include "foundation/StringUtil.h"
#include "foundation/SystemInfo.h"
#include "foundation/WindowsEntries.h"
#include "foundation/core/TextEncoding.h"
#include "framework/FrameWnd.h"
#include "res/resource.h"
#include "sessions/core/CommandText.h"
#include "sessions/core/TeacherCommands.h"
#include "ui/UiScale.h"
#include "view/IConsoleFrame.h"
#include "view/core/GroupFileText.h"
#include "view/core/LocalAddressChoice.h"
#include "view/core/ScrollThumb.h"
#include "view/core/ViewTimerRules.h"

#include <algorithm>
#include <vector>

namespace {

const COLORREF kFocusColour = RGB(255, 0, 0);
const COLORREF kSelectedColour = RGB(0, 255, 255);
const COLORREF kPlainColour = RGB(126, 127, 129);

// The older group file is a local text file; anything larger is not one.
const uint64_t kMaxLegacyGroupFileBytes = 4 * 1024 * 1024;

bool IsFlagOn(const wchar_t* key)
{
    return GetConfigString(L"config", key, L"false") == L"true";
}

bool FileExists(const CString& path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The text of a file in whatever encoding it was saved.
bool ReadTextFile(const CString& path, std::wstring& text)
{
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, kMaxLegacyGroupFileBytes, bytes))
        return false;
    const TextFileEncoding encoding = SniffTextFileEncoding(bytes);
    switch (encoding) {
    case TextFileEncoding::Utf16LeMarked:
    case TextFileEncoding::Utf16LeUnmarked:
    case TextFileEncoding::Utf16BigEndian: {
        const std::vector<uint8_t> marked = ToMarkedUtf16Le(bytes, encoding);
        text.clear();
        for (size_t i = 2; i + 1 < marked.size(); i += 2)
            text += static_cast<wchar_t>(marked[i] | (marked[i + 1] << 8));
        return true;
    }
    case TextFileEncoding::Utf8: {
        size_t skip = bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
        text = Utf8ToWide(std::string(bytes.begin() + static_cast<std::ptrdiff_t>(skip), bytes.end())).Str();
        return true;
    }
    case TextFileEncoding::Ansi:
        text = AnsiToWide(std::string(bytes.begin(), bytes.end())).Str();
        return true;
    }
    return false;
}

} // namespace

IMPLEMENT_DYNCREATE(CWendmarkView, CView)

BEGIN_MESSAGE_MAP(CWendmarkView, CView)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_SOCKET_ACCEPT, OnSocketAccept)
    ON_MESSAGE(WM_SOCKET_CONNECT, OnSocketConnect)
    ON_MESSAGE(WM_SOCKET_RECEIVE, OnSocketReceive)
    ON_MESSAGE(WM_SOCKET_CLOSE, OnSocketClose)
    ON_MESSAGE(WM_STUDENT_ADDRESS_REPORT, OnStudentAddressReport)
    ON_MESSAGE(WM_SLOT_STATUS, OnSlotStatusText)
    ON_MESSAGE(WM_STUDENT_THREAD_STARTED, OnStudentThreadStarted)
    ON_MESSAGE(WM_PRESENTATION_RIGHT_FREED, OnPresentationRightFreed)
    ON_MESSAGE(WM_OPEN_NOTE_TOOL, OnOpenNoteTool)
    ON_COMMAND(IDC_TB_PEN_TOOL, OnNoteToolButton)
    ON_MESSAGE(WM_OPEN_QUIZ_PANEL, OnOpenQuizPanel)
    ON_MESSAGE(WM_QUIZ_ANNOUNCE, OnQuizAnnounce)
    ON_COMMAND(IDC_TB_QUIZ, OnQuizButton)
    ON_MESSAGE(WM_SESSION_CLOSED, OnRemoteSessionEnded)
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_SYSKEYDOWN()
    ON_WM_SYSKEYUP()
    ON_COMMAND(IDC_VIEW_SCROLL_UP, OnLineUp)
    ON_COMMAND(IDC_VIEW_SCROLL_DOWN, OnLineDown)
    ON_COMMAND(ID_SLOT_REMOTE_CONTROL, StartRemoteControl)
    ON_COMMAND(ID_SLOT_CHAT, OpenChat)
    ON_COMMAND(ID_SLOT_TOUCH_CONTROL, ToggleForbidMouse)
    ON_COMMAND(ID_SLOT_FORBID_KEYBOARD, ToggleForbidKeyboard)
    ON_COMMAND(ID_SLOT_SET_NAME, OnSetPcName)
    ON_COMMAND(ID_SLOT_RESTART, OnRebootPc)
    ON_COMMAND(ID_SLOT_SHUTDOWN, OnShutdownPc)
    ON_COMMAND(ID_SLOT_RETRY_NEXT_DAY, OnRetryNextDay)
    ON_COMMAND(ID_SLOT_CHANGE_NUMBER, OnChangeSlot)
    ON_COMMAND(IDC_TB_GRID_LAYOUT, SetSlotsPerRow)
    ON_COMMAND(IDC_TB_MONITOR_SETTINGS, SetImageQuality)
    ON_COMMAND(IDC_TB_SETTINGS, OpenSettings)
    ON_COMMAND(IDC_TB_STUDENT_NAMES, ManageTitles)
    ON_COMMAND(IDC_TB_LOG, OnShowLog)
    ON_MESSAGE(WM_FILE_DROPPED, OnFileDropped)
    ON_MESSAGE(WM_SESSION_ACCEPTED, OnStartRemoteSession)
    ON_MESSAGE(WM_SUM_SESSION_ACCEPTED, OnStartCollectSession)
    ON_MESSAGE(WM_BROADCAST_PACKET, OnShareFrameReady)
    ON_MESSAGE(WM_REMOTE_APP_FRAME, OnRemoteAppFrame)
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChanged)
    ON_MESSAGE(WM_PAD_SHARE_START, OnStartCapture)
    ON_MESSAGE(WM_PAD_SHARE_STOP, OnStopCapture)
    ON_MESSAGE(WM_PAD_SHARE_PARAM, OnPadShareAck)
    ON_MESSAGE(WM_PAD_SHARE_KEEPALIVE, OnCaptureKeepAlive)
    ON_MESSAGE(WM_PAD_SHARE_RESTART, OnRestartCapture)
    ON_MESSAGE(WM_PAD_SHARE_REFUSED, OnPadShareRefused)
    ON_MESSAGE(WM_PAD_SHARE_ENDED, OnPadShareEnded)
    ON_COMMAND(IDC_TB_FILE_TRANSFER, OpenFileTransfer)
END_MESSAGE_MAP()

CWendmarkView::CWendmarkView() = default;

CWendmarkView::~CWendmarkView()
{
    for (CPCInfo* slot : m_slots) {
        // A student's thread that has not ended yet still writes into its record: the record is
        // left to the end of the process rather than deleted under it.
        if (slot->m_pcThreadId.load() != 0) {
            TRACE(L"PC:%d thread still running at exit; its record is kept\n", slot->m_slotNumber.load());
            continue;
        }
        delete slot;
    }
    m_slots.clear();
    m_groupSlots.clear();
    m_pending.CloseAll();
}

BOOL CWendmarkView::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.style &= ~WS_BORDER;
    cs.style |= WS_CLIPCHILDREN;
    return CView::PreCreateWindow(cs);
}

BOOL CWendmarkView::OnEraseBkgnd(CDC*)
{
    return TRUE;   // every paint covers the whole client area
}

// --- First update ---------------------------------------------------------------------------

void CWendmarkView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    AddWindowsEntries();
    m_pictures.Load();
    g_permissionNeededText.LoadString(IDS_PERMISSION_NEEDED);
    CreatePensAndFonts();
    CreateScrollButtons();
    ReadGridSettings();
    SetTimer(kTimerHeartbeat, kHeartbeatPeriodMs);
    SetTimer(kTimerThumbnailPace, kThumbnailPacePeriodMs);
    SetTimer(kTimerRepaint, kRepaintPeriodMs);
    LoadGroups();
    AddGroupTabs();
    ReadTeacherSettings();
    OpenIniFile(L"config.ini", m_configPath);
    LoadLocalAddresses();
    m_androidCaptureType = GetAndroidCaptureType(m_configPath);
    LoadProgramList();
    m_login.ReadServerAddress();
    // The main frame stays hidden until the login server has accepted the teacher.
    CRect client;
    GetClientRect(&client);
    ApplyLayout(client.Width());
    Invalidate(FALSE);
    m_broadcastDlg.CreateToolbar();
    if (!m_logDlg.CreateHidden(this))
        TRACE(L"the pad event log could not be made: its records are dropped\n");
    SetTimer(kTimerLoginDialog, kLoginDialogDelayMs);
}

void CWendmarkView::AddWindowsEntries()
{
    const CString path = GetModulePath();
    AddFirewallException(path, LoadText(IDS_APP_TITLE));
    SetAppCompatLayer(path, L"HIGHDPIAWARE");
}

void CWendmarkView::CreatePensAndFonts()
{
    m_selectedPen.CreatePen(PS_SOLID, 1, kSelectedColour);
    m_focusPen.CreatePen(PS_SOLID, 1, kFocusColour);
    m_plainPen.CreatePen(PS_SOLID, 1, kPlainColour);
    const CString face = LoadText(IDS_FONT_FACE_LATIN);
    m_captionFont.CreateSimpleFont(ScaleToUi(18), FW_BOLD, face);
    m_answerFont.CreateSimpleFont(ScaleToUi(80), FW_BOLD, face);
}

void CWendmarkView::CreateScrollButtons()
{
    const CRect hidden(0, 0, kScrollButtonSize, kScrollButtonSize);
    if (m_scrollUpButton.Create(L"", WS_CHILD | BS_OWNERDRAW, hidden, this, IDC_VIEW_SCROLL_UP))
        m_scrollUpButton.SetBitmaps(IDB_VIEW_SCROLL_UP, IDB_VIEW_SCROLL_UP, IDB_VIEW_SCROLL_UP, IDB_VIEW_SCROLL_UP);
    if (m_scrollDownButton.Create(L"", WS_CHILD | BS_OWNERDRAW, hidden, this, IDC_VIEW_SCROLL_DOWN))
        m_scrollDownButton.SetBitmaps(IDB_VIEW_SCROLL_DOWN, IDB_VIEW_SCROLL_DOWN, IDB_VIEW_SCROLL_DOWN,
                                      IDB_VIEW_SCROLL_DOWN);
}

void CWendmarkView::ReadGridSettings()
{
    m_classGrid.slotsPerRow = GetConfigInt(L"config", L"perrow", 8);
    m_classGrid.widthRatio = GetConfigInt(L"config", L"widthratio", 4);
    m_classGrid.heightRatio = GetConfigInt(L"config", L"heightratio", 3);
    // Every greeting carries these two: a value outside what the monitoring dialog allows never
    // leaves the console.
    m_refreshDelay = ClampRefreshDelay(GetConfigInt(L"config", L"delay", 1000));
    m_showCaptions = GetConfigInt(L"config", L"displaytitle", 1) != 0;
    m_imageQuality = ClampQuality(GetConfigInt(L"config", L"quilty", 40));
}

void CWendmarkView::ReadTeacherSettings()
{
    m_login.ReadTeacherSettings();
    m_restrictions.forbidKeyboard = IsFlagOn(L"preventkeyboard");
    m_restrictions.forbidMouse = IsFlagOn(L"preventmouse");
    m_restrictions.forbidEnding = IsFlagOn(L"preventend");
    m_restrictions.hideTrayIcon = IsFlagOn(L"hideicon");
    m_restrictions.forbidTaskManager = IsFlagOn(L"preventtaskmanger");
    m_restrictions.forbidWebBrowsers = IsFlagOn(L"preventwebbrowser");
    m_restrictions.forbidUsbStorage = IsFlagOn(L"preventusb");
    m_restrictions.forbidOtherPrograms = IsFlagOn(L"preventetcprogram");
}

void CWendmarkView::LoadLocalAddresses()
{
    CStringArray found;
    GetLocalIPList(found);
    std::vector<std::u16string> addresses;
    for (int i = 0; i < found.GetSize(); ++i)
        addresses.push_back(ToU16(found[i]));
    const std::u16string chosen = ChooseLocalAddress(ToU16(GetPrivateIpSetting(m_configPath)), addresses,
                                                     GetSelectDisplayIp(m_configPath));
    m_localAddress = FromU16(chosen);
}

void CWendmarkView::LoadProgramList()
{
    if (GetConfigString(L"config", L"regetcprogramlistnotused", L"") == L"true")
        return;
    // Only a list the registry still holds is moved: an empty registry value would otherwise
    // wipe a list that config.ini was given directly.
    const CString list = GetConfigString(L"config", L"etcprogramlist", L"");
    if (!list.IsEmpty() && !SetEtcProgramList(m_configPath, list))
        return;   // try again at the next start rather than lose the list
    SetConfigString(L"config", L"etcprogramlist", L"");
    SetConfigString(L"config", L"regetcprogramlistnotused", L"true");
}

// --- Groups ---------------------------------------------------------------------------------

void CWendmarkView::LoadGroups()
{
    m_groupFilePath = GetModuleDirectory() + L"\\groupinfo.ini";
    if (FileExists(m_groupFilePath)) {
        OpenIniFile(L"groupinfo.ini", m_groupFilePath);
        ReadGroupFile();
        return;
    }
    CreateUnicodeIniFile(m_groupFilePath);
    SetGroupList(m_groupFilePath, L"");
    ConvertLegacyGroupFile();
}

void CWendmarkView::ReadGroupFile()
{
    for (const std::u16string& wireName : ReadGroupNames(ToU16(GetGroupList(m_groupFilePath)))) {
        const CString name = FromU16(wireName);
        m_groupSlotLists[name] = GetGroupSlots(m_groupFilePath, name);
        m_groupPartRects[name] = FromU16(StoredGroupValue(ToU16(GetGroupPartRect(m_groupFilePath, name))));
        m_groupPerRows[name] = FromU16(StoredGroupValue(ToU16(GetGroupPerRow(m_groupFilePath, name))));
        m_groupNames.Add(name);
    }
}

void CWendmarkView::ConvertLegacyGroupFile()
{
    const CString legacyPath = GetModuleDirectory() + L"\\GroupInfo.txt";
    std::wstring content;
    if (!FileExists(legacyPath) || !ReadTextFile(legacyPath, content))
        return;
    const std::u16string text(content.begin(), content.end());
    for (const std::u16string& line : SplitLegacyGroupLines(text)) {
        GroupRecord group;
        if (!ReadLegacyGroupLine(line, group))
            continue;
        const CString name = FromU16(group.name);
        if (m_groupSlotLists.count(name))
            continue;   // the first line of a name wins
        m_groupSlotLists[name] = FromU16(group.slots);
        m_groupPartRects[name] = FromU16(StoredGroupValue(group.partRect));
        m_groupPerRows[name] = FromU16(StoredGroupValue(group.perRow));
        m_groupNames.Add(name);
        SetGroupSlots(m_groupFilePath, name, FromU16(group.slots));
        SetGroupPartRect(m_groupFilePath, name, FromU16(group.partRect));
        SetGroupPerRow(m_groupFilePath, name, FromU16(group.perRow));
    }
    if (SaveGroupList(m_groupFilePath, m_groupNames))
        DeleteFileW(legacyPath);
}

void CWendmarkView::AddGroupTabs()
{
    IConsoleFrame* frame = GetConsoleFrame();
    if (!frame)
        return;
    for (int i = 0; i < m_groupNames.GetSize(); ++i)
        frame->AddGroupTab(m_groupNames[i]);
}

// --- Slots ----------------------------------------------------------------------------------

const std::optional<CString>& CWendmarkView::StoredPcName(int seat) const
{
    auto known = m_storedNames.find(seat);
    if (known != m_storedNames.end())
        return known->second;
    CString key;
    key.Format(L"%d", seat);
    static const wchar_t kNoneStored[] = L"\x01";
    const CString stored = IniGetString(L"PCNAME-", key, kNoneStored, m_configPath);
    std::optional<CString> name;
    if (stored != kNoneStored)
        name = stored;
    return m_storedNames.emplace(seat, std::move(name)).first->second;
}

CString CWendmarkView::LoadPcName(int seat) const
{
    const std::optional<CString>& stored = StoredPcName(seat);
    CString name = stored ? *stored : LoadText(IDS_DEFAULT_STUDENT_NAME);
    return name.IsEmpty() ? CString(L" ") : name;
}

void CWendmarkView::CreateSlots(int seatCount)
{
    m_slots.reserve(static_cast<size_t>(seatCount));
    for (int seat = 1; seat <= seatCount; ++seat) {
        auto* slot = new CPCInfo;
        slot->m_slotNumber = seat;
        slot->SetDisplayName(LoadPcName(seat));
        slot->m_refreshDelay = m_refreshDelay;
        slot->m_imageQuality = m_imageQuality;
        slot->SetClassText(m_login.GetClassInfo());
        slot->m_socket.SetOwner(GetSafeHwnd());
        if (m_layout.ThumbnailWidth() > 0 && m_layout.ThumbnailHeight() > 0) {
            CCriticalSectionLock lock(slot->GetLock());
            slot->m_thumbnail.Create(m_layout.ThumbnailWidth(), m_layout.ThumbnailHeight(), m_thumbnailBitsPerPixel);
        }
        m_slots.push_back(slot);
    }
}

void CWendmarkView::EndAllSlots()
{
    for (CPCInfo* slot : m_slots) {
        if (slot->m_pcThreadId.load() != 0)
            PostCommandToSlot(*slot, EndSessionCommand());
        slot->MarkOffline();
        slot->SetNotice(L"");
    }
}

BOOL CWendmarkView::StartPenTool()
{
    IConsoleFrame* frame = GetConsoleFrame();
    return frame ? frame->StartPenTool() : FALSE;
}

IConsoleFrame* CWendmarkView::GetConsoleFrame() const
{
    return dynamic_cast<IConsoleFrame*>(GetParentFrame());
}

// --- Layout and scrolling -------------------------------------------------------------------

GridSettings CWendmarkView::ShownGridSettings() const
{
    return UsableGridSettings(m_groupShown ? m_groupGrid : m_classGrid);
}

const std::vector<CPCInfo*>& CWendmarkView::ShownSlots() const
{
    return m_groupShown ? m_groupSlots : m_slots;
}

void CWendmarkView::OnSize(UINT type, int width, int height)
{
    CView::OnSize(type, width, height);
    ApplyLayout(width);
}

void CWendmarkView::ApplyLayout(int clientWidth)
{
    if (!m_layout.Apply(clientWidth, ShownGridSettings()))
        return;   // too small a cell: the previous layout stays
    SetDocumentHeight(m_layout.DocumentHeight(m_slots.size()));
    // Told also when the size stayed: students of the list shown now may have been sent another
    // size while a group without them was shown.
    TellThumbnailSize();
    PlaceScrollControls();
}

void CWendmarkView::TellThumbnailSize()
{
    const int width = m_layout.ThumbnailWidth();
    const int height = m_layout.ThumbnailHeight();
    for (CPCInfo* slot : ShownSlots()) {
        if (slot->m_pcThreadId.load() == 0)
            continue;
        PostCommandToSlot(*slot, ThumbnailSizeCommand(width, height));
        if (slot->m_controlThread.load())
            continue;   // a remote session draws into it meanwhile
        CCriticalSectionLock lock(slot->GetLock());
        if (slot->m_thumbnail.GetWidth() != width || slot->m_thumbnail.GetHeight() != height)
            slot->m_thumbnail.Create(width, height, slot->m_bitsPerPixel.load());
    }
}

void CWendmarkView::SetDocumentHeight(int height)
{
    m_documentHeight = height;
    CRect client;
    GetClientRect(&client);
    const int lowest = std::max(0, m_documentHeight - client.Height());
    m_scrollPosition = std::min(std::max(m_scrollPosition, 0), lowest);
}

bool CWendmarkView::IsGridTallerThanClient() const
{
    CRect client;
    GetClientRect(&client);
    return NeedsScrollColumn(m_documentHeight, client.Height());
}

void CWendmarkView::PlaceScrollControls()
{
    CRect client;
    GetClientRect(&client);
    m_thumbPosition = ScrollThumbOffset(client.Height(), 0, m_documentHeight - 1, m_scrollPosition);
    const bool shown = IsGridTallerThanClient();
    const int x = client.Width() - kScrollButtonSize;
    if (m_scrollUpButton.GetSafeHwnd()) {
        m_scrollUpButton.MoveWindow(x, 0, kScrollButtonSize, kScrollButtonSize);
        m_scrollUpButton.ShowWindow(shown ? SW_SHOW : SW_HIDE);
    }
    if (m_scrollDownButton.GetSafeHwnd()) {
        m_scrollDownButton.MoveWindow(x, client.Height() - kScrollButtonSize, kScrollButtonSize, kScrollButtonSize);
        m_scrollDownButton.ShowWindow(shown ? SW_SHOW : SW_HIDE);
    }
}

void CWendmarkView::ShowMainFrameMaximised()
{
    CRect client;
    GetClientRect(&client);
    ApplyLayout(client.Width());
    CFrameWnd* frame = GetMainFrame();
    if (!frame)
        return;
    frame->ModifyStyle(WS_CAPTION, 0, SWP_FRAMECHANGED);
    frame->ShowWindow(SW_RESTORE);
    frame->ShowWindow(SW_MAXIMIZE);
    frame->UpdateWindow();
    GetClientRect(&client);
    ApplyLayout(client.Width());
    Invalidate(FALSE);
}

// --- Closing --------------------------------------------------------------------------------

void CWendmarkView::CloseMainFrame()
{
    m_quitting = true;
    CFrameWnd* frame = GetMainFrame();
    if (!frame || !frame->GetSafeHwnd())
        return;
    if (IConsoleFrame* console = GetConsoleFrame())
        console->SetConfirmClose(false);
    frame->PostMessage(WM_CLOSE);
}

void CWendmarkView::OnDestroy()
{
    m_quitting = true;
    for (UINT_PTR id : {kTimerHeartbeat, kTimerReconnect, kTimerThumbnailPace, kTimerRepaint, kTimerLoginDialog,
                        kTimerConnectTimeout, kTimerLoginKeepAlive, kTimerGroupSave, kTimerCollectAnswers})
        KillTimer(id);
    CloseStudentListener();
    // The share ends first, so the farewell finds no worker sending blocks.
    if (g_screenSharing.load())
        StopClassShare();
    EndRemoteAppAndPadStreams();
    m_login.End();
    SayFarewell();
    m_noteTool.Close();
    if (m_quizDlg.GetSafeHwnd())
        m_quizDlg.DestroyWindow();
    // An announcement can have been shown without the panel (a press with no speed quiz on).
    DestroyQuizPopups();
    m_padRefusals.clear();   // the pads' refusal notices still up
    if (m_broadcastDlg.GetSafeHwnd()) {
        // Kept for the record only: the toolbar starts at the lower right every time.
        CRect toolbar;
        m_broadcastDlg.GetWindowRect(&toolbar);
        SetConfigInt(L"config", L"BroadcastDlgPosX", toolbar.left);
        SetConfigInt(L"config", L"BroadcastDlgPosY", toolbar.top);
        m_broadcastDlg.DestroyWindow();
    }
    if (m_logDlg.GetSafeHwnd())
        m_logDlg.DestroyWindow();
    if (m_loadingDlg.GetSafeHwnd())
        m_loadingDlg.DestroyWindow();
    CView::OnDestroy();
}

void CWendmarkView::ShowLogWindow()
{
    m_logDlg.ShowInFront();
}

void CWendmarkView::OnShowLog()
{
    ShowLogWindow();
}

void CWendmarkView::ShowLoadingText(const CString& text)
{
    if (!m_loadingDlg.GetSafeHwnd() && !m_loadingDlg.Create(IDD_LOADING, nullptr))
        return;
    m_loadingDlg.SetStatusText(text);
    m_loadingDlg.CenterWindow(GetDesktopWindow());
    m_loadingDlg.ShowWindow(SW_SHOW);
    m_loadingDlg.UpdateWindow();
}

void CWendmarkView::HideLoadingText()
{
    if (m_loadingDlg.GetSafeHwnd())
        m_loadingDlg.ShowWindow(SW_HIDE);
}

bool IsAgentBelowChatMinimum(const CString& version)
{
    return !IsVersionAtLeast(ToU16(version), u"1.0.1.1026");
}
