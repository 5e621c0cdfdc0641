// CWendmarkView: the classroom view inside the main frame, below its caption band, and the hub of
// the console's network side. It owns one slot record per seat and paints them as a scrolling
// grid of numbered cells; it owns the login-server session (CLoginSession) and opens the
// listening socket the students connect to.
//
// The class is split by responsibility over several files:
//   WendmarkView.cpp         start-up, settings, groups, layout and scrolling, closing
//   WendmarkViewDraw.cpp     painting one frame of the grid
//   WendmarkViewTimers.cpp   the periodic work: heartbeat, repaint, the session's timers
//   WendmarkViewSockets.cpp  socket notifications and the students' listening socket
//   WendmarkViewAdmission.cpp  pending connections, admission into seats, students' reports
//   WendmarkViewMouse.cpp    focus, selection, the slot menu, double click, the scroll column
//   WendmarkViewCommands.cpp the teacher's commands on one slot, the dialogs, the presentation right
//   WendmarkViewFanOut.cpp   class-wide setters, groups, the hand-back after a session, the farewell
//   WendmarkViewHooks.cpp    what the activities opened from here plug in
//   WendmarkViewActivities.cpp the activities' dialogs opened from the view
//   WendmarkViewQuiz.cpp     the quiz panel it owns, and what the panel asks of it
#pragma once

#include "activities/pentool/NoteTool.h"
#include "activities/quiz/QuizDlg.h"
#include "activities/screenshare/ScreenShareThread.h"
#include "foundation/AppMessages.h"
#include "foundation/TCPSocket.h"
#include "framework/Bitmap.h"
#include "framework/Brush.h"
#include "framework/CriticalSection.h"
#include "framework/Font.h"
#include "framework/LifeFlag.h"
#include "framework/Pen.h"
#include "framework/View.h"
#include "sessions/LogManageDlg.h"
#include "sessions/PCInfo.h"
#include "sessions/RemoteSessionLinks.h"
#include "ui/ImageButton.h"
#include "ui/LoadingDlg.h"
#include "ui/WaitMsgDlg.h"
#include "view/BroadcastDlg.h"
#include "view/CellLook.h"
#include "view/LoginSession.h"
#include "view/PendingConnections.h"
#include "view/RemoconLink.h"
#include "view/SlotPictureCache.h"
#include "view/core/AddressReport.h"
#include "view/core/AdmissionCommands.h"
#include "view/core/ConnectionIdCounter.h"
#include "view/core/GridLayout.h"
#include "view/core/LoginServerTexts.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CPCThread;
class IConsoleFrame;

// The grid's two scroll buttons.
#define IDC_VIEW_SCROLL_UP   160
#define IDC_VIEW_SCROLL_DOWN 161

class CWendmarkView : public CView, private IQuizHost {
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
    // silently while the dialog, another of the view's dialogs or a message box is open, and
    // while the pen tool is in a drawing mode.
    void OpenFileTransfer();
    void OpenFileTransferWithPath(const CString& path);

    // Ends the program without asking: clears the main frame's close confirmation and posts
    // WM_CLOSE to it.
    void CloseMainFrame();
    // Starts the external pen program through the hosting frame; FALSE when it was not started.
    BOOL StartPenTool();

    // --- The class screen share (WendmarkViewShare.cpp) ---
    // The capture rectangle (screen coordinates), canvas and modes the next share uses, and the
    // configured quality.
    void SetShareSettings(const ShareRect& capture, const ShareSettings& settings, int quality);
    const ShareSettings& GetShareSettings() const { return m_shareSettings; }
    // "[KW00103]" with the settings to every student.
    void SendShareSettings();
    // "[KW00102]start" to every student, their flow counters reset, and the
    // capture worker started (a running one is ended first).
    void StartClassShare();
    // "[KW00102]stop" to every student; waits for the capture worker.
    void StopClassShare();
    // The teacher toolbar.
    CBroadcastDlg& GetToolbar() { return m_broadcastDlg; }
    // "[RH00004]" with the class share's state to the remote-controller app (after each toggle).
    void SendRemoconShareState();
    // The linked remote-controller app (or the last one) is new enough to be told the share's
    // and the touch lock's state.
    bool IsRemoconNewerApp() const { return m_remocon.IsNewerApp(); }
    // The pad event log in front (the toolbar's log button, command IDC_TB_LOG).
    void ShowLogWindow();
    // The login-server splash, centred on the desktop, with a text; and its hiding.
    void ShowLoadingText(const CString& text);
    void HideLoadingText();

    // The built-in pen tool: the pen button starts its thread or shows its toolbar again
    // (owner: the teacher toolbar and its back layer, when there is one); hiding closes its
    // drawing surface and hides it; drawing: a drawing mode is on.
    void OpenNoteTool(HWND owner = nullptr, HWND backLayer = nullptr);
    void HideNoteTool() { m_noteTool.Hide(); }
    BOOL IsNoteToolDrawing() const { return m_noteTool.IsDrawing(); }
    // The quiz panel: shown at the right edge of the screen (WM_OPEN_QUIZ_PANEL does the same);
    // the toolbar's quiz button shows it and picks a student at random.
    void OpenQuizPanel();
    void OnQuizButton();
    // --- Teacher commands (WendmarkViewCommands.cpp); the toolbar calls them too ---
    void StartRemoteControl();
    void OpenChat();
    void ToggleForbidMouse();
    void ToggleForbidKeyboard();
    void OnSetPcName();
    void OnRebootPc();
    void OnShutdownPc();
    void OnRetryNextDay();
    void OnChangeSlot();
    void StartCollectView();
    // Collect-view picking: the toolbar switches it on, StartCollectView ends it.
    void BeginCollectPicking();
    bool IsCollectPicking() const { return m_collectPicking; }
    int TogglePresentationRight();
    void SetSlotsPerRow();
    void SetImageQuality();
    void ManageTitles();
    void OpenSettings();
    void OpenGroupExecute();

    // --- Class-wide setters and groups (WendmarkViewFanOut.cpp) ---
    void SendCaptureAllWindows(int on);
    void SendForbidKeyboardAll(int on);
    void SendForbidMouseAll(int on);
    void SendPreventEnd(int on);
    void SendPreventWebBrowser(int on);
    void SendPreventUsb(int on);
    void SendPreventOtherPrograms(int on);
    void SendProhibitedProgramList(const CString& list);
    void SendThumbnailDelay(int delay);
    void SelectGroup(const CString& name);
    // Forgets the group (its membership, capture rectangle and layout) and stores the list.
    void DeleteGroup(const CString& name);
    // The group table (name to membership text) the group creation dialog adds to.
    std::map<CString, CString>& GetGroupMemberships() { return m_groupSlotLists; }
    // A group the creation dialog has entered into the table: appended to the group names, the
    // list stored, and its section written with its membership and no capture rectangle or
    // layout yet.
    void AddCreatedGroup(const CString& name);
    void SavePcName(int seat, const CString& name);
    CString LoadPcName(int seat) const;
    const std::optional<CString>& StoredPcName(int seat) const;
    // The slots of the shown group (or the class), the multi-selection and the presentation
    // holder, for the activities opened from here.
    const std::vector<CPCInfo*>& GetShownSlots() const { return ShownSlots(); }
    bool IsMultiSelection() const { return m_multiSelection; }
    CPCInfo* GetTargetSlot() const;
    // The picked slots of a combined session and how many have handed their socket over so far.
    std::vector<CPCInfo*> GetPickedSlots() const;
    int m_collectAccepted = 0;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSize(UINT type, int width, int height);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnDestroy();
    afx_msg void OnShowLog();
    afx_msg LRESULT OnSocketAccept(WPARAM socket, LPARAM);
    afx_msg LRESULT OnSocketConnect(WPARAM socket, LPARAM error);
    afx_msg LRESULT OnSocketReceive(WPARAM socket, LPARAM);
    afx_msg LRESULT OnSocketClose(WPARAM socket, LPARAM);
    afx_msg LRESULT OnStudentAddressReport(WPARAM, LPARAM entry);
    afx_msg LRESULT OnSlotStatusText(WPARAM seat, LPARAM status);
    afx_msg LRESULT OnStudentThreadStarted(WPARAM seat, LPARAM connectionId);
    afx_msg LRESULT OnPresentationRightFreed(WPARAM seat, LPARAM connectionId);
    // Remote sessions: wParam the lent socket, lParam the slot.
    afx_msg LRESULT OnStartRemoteSession(WPARAM socket, LPARAM record);
    afx_msg LRESULT OnStartCollectSession(WPARAM socket, LPARAM record);
    afx_msg LRESULT OnOpenNoteTool(WPARAM marker, LPARAM);
    afx_msg void OnNoteToolButton() { OpenNoteTool(); }
    afx_msg LRESULT OnOpenQuizPanel(WPARAM marker, LPARAM);
    // wParam MessageMarker, lParam the announcement (a heap CString, ours).
    afx_msg LRESULT OnQuizAnnounce(WPARAM marker, LPARAM text);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* wnd);
    afx_msg void OnVScroll(UINT code, UINT position, CScrollBar* bar);
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    afx_msg void OnLineUp();
    afx_msg void OnLineDown();
    afx_msg void OnSysKeyDown(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnSysKeyUp(UINT ch, UINT repeat, UINT flags);
    // wParam the slot, lParam the socket given back (INVALID_SOCKET when the student was lost).
    afx_msg LRESULT OnRemoteSessionEnded(WPARAM slot, LPARAM socket);
    // wParam: the dropped file's path (heap wchar_t[], ours).
    afx_msg LRESULT OnFileDropped(WPARAM path, LPARAM);
    // wParam: a CPacket* of the capture worker (valid during the call); lParam 1 for a block only
    // students that missed one need.
    afx_msg LRESULT OnShareFrameReady(WPARAM packet, LPARAM refreshOnly);
    // To the student's thread and, when one runs, its remote session.
    void PostShareCommand(CPCInfo& slot, const std::u16string& text);
    // The remote-controller app and the pad stream (WendmarkViewRemocon.cpp). wParam of the
    // frame: a CPacket* of the stream's worker (valid during the call).
    afx_msg LRESULT OnRemoteAppFrame(WPARAM packet, LPARAM);
    afx_msg LRESULT OnDisplayChanged(WPARAM, LPARAM);
    // From a pad's connection: wParam MessageMarker (anything else is ignored).
    afx_msg LRESULT OnStartCapture(WPARAM marker, LPARAM);
    afx_msg LRESULT OnStopCapture(WPARAM marker, LPARAM);
    afx_msg LRESULT OnPadShareAck(WPARAM marker, LPARAM frame);
    afx_msg LRESULT OnCaptureKeepAlive(WPARAM marker, LPARAM);
    afx_msg LRESULT OnRestartCapture(WPARAM marker, LPARAM seat);
    afx_msg LRESULT OnPadShareRefused(WPARAM marker, LPARAM slotNumber);
    // From the pad stream's worker: lParam its generation.
    afx_msg LRESULT OnPadShareEnded(WPARAM marker, LPARAM generation);
    // The flow counters of a student that joins the share: its next block goes out at once.
    void StartShareFlow(CPCInfo& slot);
    DECLARE_MESSAGE_MAP()

private:
    friend class CLoginSession;
    friend class CBroadcastDlg;     // asks the activities' hooks before its refusals

    // --- Start-up and settings (WendmarkView.cpp) ---
    void AddWindowsEntries();
    void CreatePensAndFonts();
    void CreateScrollButtons();
    void ReadGridSettings();
    void ReadTeacherSettings();
    void AddGroupTabs();
    void LoadGroups();
    void ReadGroupFile();
    void ConvertLegacyGroupFile();
    void LoadLocalAddresses();
    void LoadProgramList();
    // The hosting frame: its window, and what the view asks of it (none when hosted elsewhere).
    CFrameWnd* GetMainFrame() const { return GetParentFrame(); }
    IConsoleFrame* GetConsoleFrame() const;
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

    // --- Mouse (WendmarkViewMouse.cpp) ---
    int HitTestClient(CPoint point) const;
    void PickForCollectView(int index);
    void ToggleSelection(int index);
    void FocusOnly(int index);
    void ShowSlotMenu(CPoint point);
    void AskForRemoteSession(CPCInfo& slot);
    void ScrollTo(int position, bool tellStudents);
    int ScrollableLength() const;
    int ThumbTrackLength() const;
    bool IsInScrollColumn(CPoint point) const;

    // --- Commands (WendmarkViewCommands.cpp) ---
    // A refused command: the text in the wait notice for 2.5 s of message pumping. False when
    // the view went away meanwhile.
    bool ShowWaitNotice(UINT textId);
    bool RefuseWhileQuizShown();
    // The slot leaves (or left) its seat: a presentation right it held is free again for every
    // command that refuses while it is taken, and the stream of the teacher's screen to it stops.
    void ReleasePresentationRightOf(CPCInfo& slot);
    void AskAndPostPower(UINT oneAskId, UINT oneCaptionId, UINT manyAskId, UINT manyCaptionId,
                         const std::u16string& command);
    // The modal dialogs of the view: refused while one is open or a message box is.
    bool BeginViewDialog();

    // --- Fan-out (WendmarkViewFanOut.cpp) ---
    // To every slot of the class with a connection thread, in seat order.
    void PostToAllSlots(const std::u16string& text);
    // To the slot's remote-session control thread (the handed-over socket); false without one.
    bool PostToSession(CPCInfo& slot, const std::u16string& text);
    void BroadcastFlag(const std::u16string& text, bool alsoToSession);
    void SendInputRestrictionToAll(const std::u16string& text, bool on);
    void SendCaptureRegion(CPCInfo& slot, bool useGroupRect);
    void RecomputeThumbnailSize();
    void SayFarewell();

    // --- Hooks of the activities (WendmarkViewHooks.cpp) ---
    bool IsQuizPanelVisible() const;
    bool IsClassScreenSharing() const;
    bool IsTouchLockOn() const;
    void CloseSlotChat(CPCInfo& slot);
    void OpenChatWindow(CPCInfo& slot);
    // The new seat number and the mode (1 swap, else move); false when the teacher cancelled.
    bool RunSlotRenumberDialog(CPCInfo& target, int& newNumber, int& mode);
    void RenumberSlot(int oldNumber, int newNumber, bool swap);
    void EmptySeatForRenumber(CPCInfo& slot, int toldNumber);
    void RunPcNameDialog(CPCInfo& target);
    bool RunTitlesDialog(std::vector<CString>& names, int& displayTitle);
    void RunGroupExecuteDialog();

    // --- The quiz panel's host (WendmarkViewQuiz.cpp) ---
    const std::vector<CPCInfo*>& GetQuizSlots() const override { return m_slots; }
    void FocusPickedSlot(int index) override;
    bool IsScreenShareOn() const override { return IsClassScreenSharing(); }
    bool IsTouchControlOn() const override { return IsTouchLockOn(); }
    int ToggleControlRight() override { return TogglePresentationRight(); }
    void ShowQuizAnswers(bool shown) override;
    void SetQuizFullScreen(LPARAM state) override;

    // --- Painting (WendmarkViewDraw.cpp) ---
    void PaintGrid(CDC& target, const CRect& client);
    void DrawSlot(CDC& dc, CPCInfo& slot, size_t index);
    CellLook LookOf(CPCInfo& slot, size_t index) const;
    CRect CellExtent(size_t index) const;
    int ChooseSlotPictureOf(CPCInfo& slot) const;
    void DrawThumbnail(CDC& dc, CPCInfo& slot, const CRect& picture);
    void DrawCaption(CDC& dc, int seat, const CellLook& look, size_t index);
    void DrawShadowedText(CDC& dc, const CString& text, CRect box, COLORREF colour);
    void DrawQuizAnswer(CDC& dc, const CString& answer, const CRect& frame);
    // The repaint timer: invalidates what changed since it was painted (WendmarkViewRepaint.cpp).
    void InvalidateChangedCells();
    GridLook CurrentGridLook(const CRect& client) const;
    void DrawScrollColumn(CDC& dc, const CRect& client);
    CRect ClientRectOf(const GridRect& document) const;

    // --- Timers (WendmarkViewTimers.cpp) ---
    void CheckHeartbeats();
    void EndSilentSlot(CPCInfo& slot);
    void ReportAbnormalEnd(CPCInfo& slot);
    void PaceThumbnails();
    void SaveGroupsFromTabs();

    // A modal loop (a dialog, a message box, a message-pumping wait) lets the main frame be
    // closed, and the view deleted with it, before the call returns: a handler keeps a copy of
    // this token across such a call and touches the view afterwards only while it is alive.
    using LifeToken = CLifeFlag::Token;
    LifeToken Life() const { return m_life.GetToken(); }
    static bool Alive(const LifeToken& life) { return life.IsAlive(); }

    // --- The frame shown once the teacher is logged in (WendmarkView.cpp) ---
    void ShowMainFrameMaximised();

    // --- Sockets (WendmarkViewSockets.cpp) ---
    bool OpenStudentListener();
    void CloseStudentListener();
    bool IsStudentListenerOpen() const;
    // Where accepted student connections are admitted.
    void AdmitConnection(CTCPSocket& listener);
    // False when the slot has no thread or its thread took nothing.
    bool PostCommandToSlot(CPCInfo& slot, const std::u16string& text);

    // --- Remote sessions (WendmarkViewRemote.cpp) ---
    // The slot at that address, or null when it is none of the class's.
    CPCInfo* SlotOfRecord(LPARAM record) const;
    RemoteSessionLinks SessionLinks() const;
    void EndLostStudent(CPCInfo& slot, CPCThread& student, bool logAbnormalEnd = true);
    // --- The combined session (WendmarkViewCollect.cpp) ---
    void StartCombinedSession();
    // The wait for the picked students ran out: the session opens with those that lent their
    // connections; when none did, the teacher is told.
    void StartCombinedWithThoseWhoAnswered();
    void EndCollectPicking();
    void CancelCollectWait();

    // --- The remote-controller app and the pad stream (WendmarkViewRemocon.cpp) ---
    // A pending connection's "[RC00001]": it becomes the linked app.
    void LinkRemoteApp(const void* socket, const std::u16string& version);
    bool StartPadStream();
    void RestartPadStream();
    // The stream to a pad ends now (its worker told and waited for, bounded).
    void StopPadStream();
    void EndRemoteAppAndPadStreams();

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
    void HandOverToStudentThread(CPCInfo& slot, CPCInfo* pending);
    void SendAdmissionState(CPCInfo& slot);

    // Slots.
    std::vector<CPCInfo*> m_slots;
    bool m_groupShown = false;
    std::vector<CPCInfo*> m_groupSlots;
    CPendingConnections m_pending;
    CCriticalSection m_slotLock;
    CConnectionIdCounter m_connectionIds;
    // One "[PC00014]" entry per student on the teacher's network.
    StudentAddressList m_studentAddresses;

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
    // What the shown cells and the grid were last painted from, the client size the back buffer
    // holds a frame of, and the timer's ticks since the last whole repaint.
    std::vector<CellLook> m_paintedLooks;
    GridLook m_paintedGrid;
    CSize m_paintedClient;
    int m_ticksSinceWholeRepaint = 0;
    // Left Alt shows every caption: read once per repaint tick and per paint, not per cell, as
    // each reading is a round trip to the Wine server.
    bool m_captionKeyDown = false;
    CPen m_focusPen;
    CPen m_selectedPen;
    CPen m_plainPen;
    CFont m_captionFont;
    CFont m_answerFont;
    CBitmap m_menuBitmaps[4];   // the slot menu's pictures, loaded at its first use
    CImageButton m_scrollUpButton;
    CImageButton m_scrollDownButton;
    bool m_slowedThumbnails = false;

    // Collect-view picking and the combined session's slots.
    bool m_collectPicking = false;
    int m_pickedCount = 0;
    CPCInfo* m_pickedSlots[4] = {nullptr, nullptr, nullptr, nullptr};
    // The connection each picked student lent for the combined session, until it starts.
    SOCKET m_collectSockets[4] = {INVALID_SOCKET, INVALID_SOCKET, INVALID_SOCKET, INVALID_SOCKET};
    // The scroll thumb's drag.
    bool m_thumbDragArmed = false;
    bool m_thumbDragging = false;
    int m_lastDragY = 0;
    // The presentation right.
    bool m_presentationMode = false;
    int m_presentationHolder = -1;
    CPCInfo* m_presentationSlot = nullptr;
    int m_presentationConnectionId = -1;
    // The shown group and its capture rectangle.
    CString m_shownGroupName;
    int m_groupRect[4] = {0, 0, 0, 0};
    bool m_groupRectValid = false;
    bool m_closing = false;

    // Settings files and groups.
    CString m_configPath;
    // The students' names as config.ini holds them ("PCNAME-"), by seat, read once a seat: every
    // admission shows the stored name and writes it back, and under a class's load the file's
    // read and write took a quarter or more of the UI thread's time per student. Empty: nothing stored.
    mutable std::map<int, std::optional<CString>> m_storedNames;
    CString m_groupFilePath;
    CStringArray m_groupNames;
    std::map<CString, CString> m_groupSlotLists;
    std::map<CString, CString> m_groupPartRects;
    std::map<CString, CString> m_groupPerRows;

    // The login-server session, and the sockets and state the view keeps for it.
    CLoginSession m_login{*this};
    CTCPSocket m_studentListener;
    CString m_localAddress;
    bool m_quitting = false;
    CLoadingDlg m_loadingDlg;
    CLifeFlag m_life;
    // The pad event log, made at the first update and kept hidden until the teacher opens it.
    CLogManageDlg m_logDlg;
    CNoteTool m_noteTool;
    CQuizDlg m_quizDlg{*this};

    // The class screen share.
    ShareRect m_shareCapture{0, 0, 1280, 720};
    ShareSettings m_shareSettings{1280, 720, true, true};
    CScreenShareThread m_shareThread;
    // The teacher toolbar, made at the first update.
    CBroadcastDlg m_broadcastDlg{this};
    // The remote-controller app, and the stream of the teacher's screen to the pad holding the
    // presentation right (the slot it serves while its worker runs).
    CRemoconLink m_remocon{*this};
    std::atomic<int> m_padShareAcked{0};
    std::atomic<CPCInfo*> m_padShareSlot{nullptr};
    CScreenStreamThread m_padStream;   // after what its worker reads
    DWORD m_lastPadRestartTick = 0;
    bool m_padRestartWaiting = false;  // a restart waits for kTimerPadRestart
    // The notice that a pad without the presentation right asked for the teacher's screen: one
    // per pad at a time, however often it asks. By seat number.
    std::map<int, std::unique_ptr<CWaitMsgDlg>> m_padRefusals;
};

// Agents older than "1.0.1.1026" (plain text comparison) cannot chat.
bool IsAgentBelowChatMinimum(const CString& version);
