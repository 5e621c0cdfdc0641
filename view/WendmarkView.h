// CWendmarkView: the classroom view inside the main frame, below its caption band, and the hub of
// the console's network side. It owns one slot record per seat and paints them as a scrolling
// grid of numbered cells; it logs the teacher in at the login server, keeps that session alive
// and opens the listening socket the students connect to.
//
// The class is split by responsibility over several files:
//   WendmarkView.cpp         start-up, settings, groups, layout and scrolling, closing
//   WendmarkViewDraw.cpp     painting one frame of the grid
//   WendmarkViewTimers.cpp   the periodic work: heartbeat, repaint, keep-alive, reconnection
//   WendmarkViewLogin.cpp    the login-server session
//   WendmarkViewSockets.cpp  socket notifications and the students' listening socket
//   WendmarkViewAdmission.cpp  pending connections, admission into seats, students' reports
//   WendmarkViewActivities.cpp the activities' dialogs opened from the view
#pragma once

#include "foundation/AppMessages.h"
#include "foundation/TCPSocket.h"
#include "framework/Brush.h"
#include "framework/CriticalSection.h"
#include "framework/Font.h"
#include "framework/LifeFlag.h"
#include "framework/Pen.h"
#include "framework/View.h"
#include "sessions/PCInfo.h"
#include "sessions/RemoteSessionLinks.h"
#include "ui/ImageButton.h"
#include "ui/LoadingDlg.h"
#include "view/SlotPictureCache.h"
#include "view/core/AdmissionCommands.h"
#include "view/core/ConnectionIdCounter.h"
#include "view/core/GridLayout.h"
#include "view/core/LoginServerTexts.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class CMainFrame;
class CPCThread;

// The grid's two scroll buttons.
#define IDC_VIEW_SCROLL_UP   160
#define IDC_VIEW_SCROLL_DOWN 161

class CWendmarkView : public CView {
    DECLARE_DYNCREATE(CWendmarkView)
public:
    CWendmarkView();
    ~CWendmarkView() override;

    void OnInitialUpdate() override;
    void OnDraw(CDC* dc) override;
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;

    // The slots of the class in seat order; empty until the login server has granted the seats.
    const std::vector<CPCInfo*>& GetSlots() const { return m_slots; }
    int GetSeatCount() const { return static_cast<int>(m_slots.size()); }

    // The file-transfer dialog over the connected students, modal; with a path, that file is
    // offered when it opens (a file dropped on the toolbar's file-transfer button). Refused
    // silently while the dialog or a message box is already open.
    void OpenFileTransfer();
    void OpenFileTransferWithPath(const CString& path);

    // Ends the program without asking: clears the main frame's close confirmation and posts
    // WM_CLOSE to it.
    void CloseMainFrame();
    // The login-server splash, centred on the desktop, with a text; and its hiding.
    void ShowLoadingText(const CString& text);
    void HideLoadingText();

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSize(UINT type, int width, int height);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnSocketAccept(WPARAM socket, LPARAM);
    afx_msg LRESULT OnSocketConnect(WPARAM socket, LPARAM error);
    afx_msg LRESULT OnSocketReceive(WPARAM socket, LPARAM);
    afx_msg LRESULT OnSocketClose(WPARAM socket, LPARAM);
    afx_msg LRESULT OnStudentAddressReport(WPARAM, LPARAM entry);
    afx_msg LRESULT OnSlotStatusText(WPARAM seat, LPARAM status);
    // Remote sessions: wParam the lent socket, lParam the slot; and wParam the slot, lParam the
    // socket given back (INVALID_SOCKET when the student was lost).
    afx_msg LRESULT OnStartRemoteSession(WPARAM socket, LPARAM record);
    afx_msg LRESULT OnRemoteSessionEnded(WPARAM record, LPARAM socket);
    // wParam: the dropped file's path (heap wchar_t[], ours).
    afx_msg LRESULT OnFileDropped(WPARAM path, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    // Session state towards the login server.
    enum SessionState { kNeverLoggedIn = 0, kSessionLost = 1, kLoggedIn = 2 };

    // --- Start-up and settings (WendmarkView.cpp) ---
    void AddWindowsEntries();
    void CreatePensAndFonts();
    void CreateScrollButtons();
    void ReadGridSettings();
    void ReadTeacherSettings();
    void ReadLoginServerAddress();
    void AddGroupTabs();
    void LoadGroups();
    void ReadGroupFile();
    void ConvertLegacyGroupFile();
    void LoadLocalAddresses();
    void LoadProgramList();
    CMainFrame* GetMainFrame() const;
    CString LoadPcName(int seat) const;
    void CreateSlots(int seatCount);
    void EndAllSlots();

    // --- Layout and scrolling (WendmarkView.cpp) ---
    GridSettings ShownGridSettings() const;
    const std::vector<CPCInfo*>& ShownSlots() const;
    void ApplyLayout(int clientWidth);
    void TellThumbnailSize();
    void SetDocumentHeight(int height);
    void PlaceScrollControls();
    bool IsGridTallerThanClient() const;

    // --- Painting (WendmarkViewDraw.cpp) ---
    void PaintGrid(CDC& target, const CRect& client);
    void DrawSlot(CDC& dc, CPCInfo& slot, size_t index);
    void DrawSlotPicture(CDC& dc, CPCInfo& slot, const CRect& picture);
    void DrawThumbnail(CDC& dc, CPCInfo& slot, const CRect& picture);
    void DrawCaption(CDC& dc, CPCInfo& slot, size_t index);
    void DrawShadowedText(CDC& dc, const CString& text, CRect box, COLORREF colour);
    void DrawQuizAnswer(CDC& dc, CPCInfo& slot, const CRect& frame);
    void DrawScrollColumn(CDC& dc, const CRect& client);
    CRect ClientRectOf(const GridRect& document) const;

    // --- Timers (WendmarkViewTimers.cpp) ---
    void CheckHeartbeats();
    void EndSilentSlot(CPCInfo& slot);
    void ReportAbnormalEnd(CPCInfo& slot);
    void PaceThumbnails();
    void SendThumbnailDelay(int delay);
    void OnConnectTimeout();
    void KeepLoginSessionAlive();
    void SaveGroupsFromTabs();
    void ArmConnectTimeout();
    void KillConnectTimeout();
    void ArmReconnect();

    // A modal loop (a dialog, a message box, a message-pumping wait) lets the main frame be
    // closed, and the view deleted with it, before the call returns: a handler keeps a copy of
    // this token across such a call and touches the view afterwards only while it is alive.
    using LifeToken = CLifeFlag::Token;
    LifeToken Life() const { return m_life.GetToken(); }
    static bool Alive(const LifeToken& life) { return life.IsAlive(); }

    // --- Login-server session (WendmarkViewLogin.cpp) ---
    void OpenLoginDialog();
    void ConnectLoginServer();
    void CloseLoginSocket();
    bool IsLoginSocketOpen() const;
    void HandleConnectError(int error);
    void ReceiveFromLoginServer();
    void OnServerAlive();
    void OnLoginResult(const std::u16string& arguments);
    void OnLoginAccepted(const std::u16string& arguments);
    void OnDuplicateLogin(const std::u16string& arguments);
    void OnLoggedOutElsewhere(const std::u16string& arguments);
    void OnLoginServerClosed();
    // A malformed answer of the login server: message 716, then the program ends.
    void EndOnMalformedAnswer();
    void SendToLoginServer(const std::u16string& text);
    void ShowMainFrameMaximised();
    ConsoleIdentity Identity() const;
    CString TranslateLoginServerMessage(const std::u16string& message) const;

    // --- Sockets (WendmarkViewSockets.cpp) ---
    bool OpenStudentListener();
    void CloseStudentListener();
    bool IsStudentListenerOpen() const;
    // Where accepted student connections are admitted.
    void AdmitConnection(CTCPSocket& listener);
    void PostCommandToSlot(CPCInfo& slot, const std::u16string& text);

    // --- Remote sessions (WendmarkViewRemote.cpp) ---
    // The slot at that address, or null when it is none of the class's.
    CPCInfo* SlotOfRecord(LPARAM record) const;
    RemoteSessionLinks SessionLinks() const;
    void EndLostStudent(CPCInfo& slot, CPCThread& student);

    // --- Admission (WendmarkViewAdmission.cpp) ---
    std::vector<bool> SeatsOnline() const;
    // The pending record whose socket object is at that address; null for any other socket.
    CPCInfo* FindConnection(const void* socket);
    // Takes the record out of the pending list, closes its socket (if still attached) and
    // deletes it; nothing when the record is not pending.
    void RemoveConnection(CPCInfo* pending);
    // False when the socket is not a pending connection's.
    bool ReceiveFromPendingConnection(const void* socket);
    bool ClosePendingConnection(const void* socket);
    void TakeClientTexts(CPCInfo& pending, const std::u16string& arguments);
    void AdmitIntoSeat(CPCInfo* pending, const std::u16string& arguments);
    void RefuseSeat(CPCInfo* pending, int reason, UINT textId);
    void FillSeat(CPCInfo& slot, const CPCInfo& pending, const std::vector<std::u16string>& fields);
    bool GreetStudent(CPCInfo& pending);
    bool HandOverToStudentThread(CPCInfo& slot, CPCInfo* pending);
    void SendAdmissionState(CPCInfo& slot);

    // Slots.
    std::vector<CPCInfo*> m_slots;
    bool m_groupShown = false;
    std::vector<CPCInfo*> m_groupSlots;
    std::vector<CPCInfo*> m_pendingConnections;
    CCriticalSection m_pendingLock;
    CCriticalSection m_slotLock;
    CConnectionIdCounter m_connectionIds;
    // One "[PC00014]" entry per student on the teacher's network.
    std::vector<std::u16string> m_studentAddresses;

    // Layout, settings and painting.
    GridSettings m_classGrid;
    GridSettings m_groupGrid;
    CGridLayout m_layout;
    int m_thumbnailBitsPerPixel = 32;
    int m_refreshDelay = 1000;
    int m_imageQuality = 40;
    bool m_showCaptions = true;
    int m_focusIndex = -1;
    CRect m_focusRect;
    bool m_multiSelection = false;
    bool m_answersShown = false;
    RestrictionFlags m_restrictions;
    int m_androidCaptureType = 1;
    int m_documentHeight = 0;
    int m_scrollPosition = 0;
    int m_thumbPosition = 0;
    CSlotPictureCache m_pictures;
    CPen m_focusPen;
    CPen m_selectedPen;
    CPen m_plainPen;
    CFont m_captionFont;
    CFont m_answerFont;
    CImageButton m_scrollUpButton;
    CImageButton m_scrollDownButton;
    bool m_slowedThumbnails = false;

    // Settings files and groups.
    CString m_configPath;
    CString m_groupFilePath;
    CStringArray m_groupNames;
    std::map<CString, CString> m_groupSlotLists;
    std::map<CString, CString> m_groupPartRects;
    std::map<CString, CString> m_groupPerRows;

    // Login-server session.
    CTCPSocket m_loginSocket;
    CTCPSocket m_studentListener;
    CString m_serverHost;
    CString m_serverPort;
    CString m_teacherId;
    CString m_classInfo;
    CString m_siteText;
    CString m_localAddress;
    CString m_studentPort;
    int32_t m_sessionTag = 0;
    SessionState m_sessionState = kNeverLoggedIn;
    bool m_reconnecting = false;
    bool m_quitting = false;
    bool m_connectTimeoutArmed = false;
    DWORD m_lastServerWordTick = 0;
    CString m_failureText;
    CString m_loginRequest;
    CString m_lastServerMessage;
    CLoadingDlg m_loadingDlg;
    CLifeFlag m_life;
    // The pad-event log window; records for it are dropped (traced) while there is none.
    HWND m_logWindow = nullptr;
};

// Agents older than "1.0.1.1026" (plain text comparison) cannot chat.
bool IsAgentBelowChatMinimum(const CString& version);
