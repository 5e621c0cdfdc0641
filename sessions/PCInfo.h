// CPCInfo: the record of one student device — its seat, its connection, the threads that serve
// it, the state its agent last reported and its thumbnail. The classroom view owns every record
// (one per seat, one per pending connection); threads and windows hold plain pointers and never
// delete one.
//
// Threads. The view (main thread) and the student's thread both touch a record:
// - words (ints, flags, pointers, ticks) are atomics, written by one side and read by the other;
// - strings and the thumbnail are guarded by the record's lock: strings are read and written
//   only through the accessors below (which copy under the lock), and whoever draws into or
//   from m_thumbnail, or re-creates it, holds the record's lock for the duration;
// - the connection id is changed with MarkOffline / SetOnline, which compare and write it under
//   the lock, so a thread that ends late cannot mark offline a seat given meanwhile to a new
//   student.
//
// Times are GetTickCount() ticks (compare with TicksSince of view/core/ViewTimerRules.h).
#pragma once

#include "framework/Afx.h"
#include "framework/CriticalSection.h"
#include "framework/RuntimeClass.h"
#include "foundation/MemBitmap.h"
#include "foundation/TCPSocket.h"
#include "sessions/MsgWnd.h"

#include <atomic>
#include <cstdint>

class CPCThread;
class CWinThread;

// The pad permissions in the order of the JSON keys of "[PC00172]" (PadPermissions.h).
constexpr int kSlotPermissionCount = 5;

class CPCInfo : public CObject {
    DECLARE_DYNAMIC(CPCInfo)
public:
    CPCInfo();
    ~CPCInfo() override;

    CPCInfo(const CPCInfo&) = delete;
    CPCInfo& operator=(const CPCInfo&) = delete;

    // The record's lock, held for a scope (thumbnail drawing, several fields read together).
    CCriticalSection& GetLock() const { return m_lock; }

    // -- Connection -------------------------------------------------------------------------
    // A seat is online exactly while its connection id is not -1.
    bool IsOnline() const { return m_connectionId.load() != -1; }
    // Admission: the seat takes the accepted connection's id.
    void SetOnline(int connectionId);
    // Marks the seat offline only while it still holds this connection; false when the seat has
    // meanwhile been given to another connection (or was offline already).
    bool MarkOffline(int connectionId);
    // Unconditionally offline (the view ending a seat on its own thread).
    void MarkOffline();

    // -- Strings (copied under the lock) ----------------------------------------------------
    CString GetDisplayName() const;
    void SetDisplayName(const CString& name);
    CString GetNotice() const;
    void SetNotice(const CString& notice);
    CString GetVersion() const;
    void SetVersion(const CString& version);
    CString GetAnnouncementText(int index) const;            // 0..2; "" outside
    void SetAnnouncementText(int index, const CString& text);
    CString GetClassText() const;
    void SetClassText(const CString& text);
    CString GetQuizAnswer() const;
    // The student's answer to the current question ("[PC00401]"): a repeated answer replaces the
    // first; true only for the first answer since the last ClearQuizAnswer, so a question counts
    // each student once.
    bool StoreQuizAnswer(const CString& answer);
    bool HasQuizAnswer() const;
    // Before each question.
    void ClearQuizAnswer();
    CString GetForegroundApp() const;
    void SetForegroundApp(const CString& app);

    // "com.kakao.talk" in front on the pad: the grid and the single-student window mark it.
    bool IsMessengerAppInFront() const;
    // Screen capture granted while usage statistics and overlay are not both granted.
    bool IsCapturePermissionOnly() const;

    // -- Words --------------------------------------------------------------------------------
    std::atomic<int> m_slotNumber{-1};          // 1-based seat; -1 for a pending record
    std::atomic<int> m_refreshDelay{0};         // thumbnail period in ms ("[KW00006]")
    std::atomic<int> m_imageQuality{50};        // thumbnail JPEG quality

    std::atomic<CWinThread*> m_viewThread{nullptr};      // remote session showing this student
    std::atomic<CWinThread*> m_controlThread{nullptr};   // remote session on this connection
    // The student's thread. Post to it by id (m_pcThreadId), never through this pointer: the
    // thread object deletes itself when it ends. Both are cleared when the thread ends.
    std::atomic<CPCThread*> m_pcThread{nullptr};
    std::atomic<DWORD> m_pcThreadId{0};
    // The thread's socket window while it exists (the pad stream of the teacher's screen sends
    // its blocks there).
    std::atomic<HWND> m_socketWindow{nullptr};

    std::atomic<int> m_connectionId{-1};        // -1: offline

    // The socket of a pending connection (notify window: the view). Once the seat is admitted
    // the handle is detached from here and the student's thread owns the connection: the view
    // never closes it, it posts "[KW10001]" and the thread says goodbye and closes.
    CTCPSocket m_socket;

    // Capture region from the hello: the four values in the order "[KW00008]" is filled from.
    std::atomic<int> m_captureRegion[4] = {{0}, {0}, {0}, {0}};
    std::atomic<int> m_captureRegionActive{0};

    std::atomic<DWORD> m_lastImageTick{0};      // last thumbnail part (and attach)
    std::atomic<DWORD> m_lastHeardTick{0};      // last keep-alive, share ack, thumbnail, attach

    std::atomic<int> m_echoValue{0};            // first value of the last type-10 packet
    std::atomic<int> m_bitsPerPixel{32};
    std::atomic<int> m_screenWidth{0};
    std::atomic<int> m_screenHeight{0};
    std::atomic<int> m_orientation{0};          // 0/1 upright, 2/3 turned a quarter
    std::atomic<int> m_frameWidth{0};           // size a remote session asks for
    std::atomic<int> m_frameHeight{0};

    // The slot's picture. Hold a CLock while drawing into or from it or re-creating it.
    CMemBitmap m_thumbnail;
    std::atomic<unsigned> m_thumbnailGeneration{0};   // one more for every part drawn into it

    std::atomic<int> m_screenControl{0};        // holds the presentation right ("[KW00107]true")
    std::atomic<int> m_captureAllWindows{0};
    std::atomic<int> m_selected{0};

    // Teacher-screen share flow control (view).
    std::atomic<int> m_shareSent{0};
    std::atomic<int> m_shareAcknowledged{0};
    std::atomic<int> m_shareResyncMarker{-1};
    std::atomic<int> m_shareMissedFrame{0};

    std::atomic<int> m_clientKind{2};           // 1 PC agent, 2 pad, 3 pad with unrotated thumbnails

    // Restart notice ("[PC00034]"), cleared by the view's timer.
    std::atomic<int> m_restarting{0};
    std::atomic<int> m_restartWord{0};
    std::atomic<DWORD> m_restartTick{0};

    std::atomic<int> m_orderlyEnd{0};           // "[PC00031]": no abnormal-end record
    std::atomic<int> m_screenOn{1};
    std::atomic<int> m_screenOffReports{0};
    std::atomic<int> m_drmOn{0};
    std::atomic<int> m_locked{0};
    std::atomic<int> m_permissions[kSlotPermissionCount] = {{0}, {0}, {0}, {0}, {0}};

    // The view's own marks for the seat (Parts of the view set and clear them).
    std::atomic<int> m_sessionChanging{0};
    std::atomic<DWORD> m_sessionChangingTick{0};

    // The view's copies of the class-wide restrictions as last sent to this seat; the per-slot
    // toggles, the presentation right and the hand-back after a remote session read them.
    std::atomic<int> m_forbidKeyboard{0};
    std::atomic<int> m_forbidMouse{0};
    std::atomic<int> m_preventEnd{0};
    std::atomic<int> m_forbidWebBrowsers{0};
    std::atomic<int> m_forbidUsbStorage{0};
    std::atomic<int> m_forbidOtherPrograms{0};
    // A renumber has emptied this seat for a student who is still to arrive.
    std::atomic<int> m_renumberPending{0};
    // The remote session's control thread by id (posts go by id, never through the pointer).
    std::atomic<DWORD> m_controlThreadId{0};

    // The socket the student's thread has lent for a remote session and nobody has taken yet.
    // Exactly one of the two sides wins it: the session that takes it (TakeLentSocket) or the
    // thread that gives up waiting and serves it again itself.
    void OfferLentSocket(SOCKET handle) { m_lentSocket = static_cast<UINT_PTR>(handle); }
    bool TakeLentSocket(SOCKET handle)
    {
        UINT_PTR expected = static_cast<UINT_PTR>(handle);
        return handle != INVALID_SOCKET &&
               m_lentSocket.compare_exchange_strong(expected, static_cast<UINT_PTR>(INVALID_SOCKET));
    }

    // The one-to-one chat with this student; its window lives on the thread that opened it.
    CMsgWnd m_chatWindow;

    // The file a student uploads is held by the student thread's socket window, which closes it
    // when the connection ends; the record holds no file handle, so nothing else can close it
    // under the thread's feet.

private:
    mutable CCriticalSection m_lock;

    CString m_displayName;
    CString m_notice;
    CString m_version;
    CString m_announcementTexts[3];
    CString m_classText;
    CString m_quizAnswer;
    bool m_quizAnswered = false;
    CString m_foregroundApp;
    std::atomic<UINT_PTR> m_lentSocket{static_cast<UINT_PTR>(INVALID_SOCKET)};
};
