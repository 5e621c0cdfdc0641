// CReceiveDispatcher: what a student thread's window does with each packet the student sends —
// text commands by their tag, thumbnail parts, screen formats, uploads, value pairs and input
// for the teacher PC. It changes the slot record, answers where the protocol needs an answer
// and passes results on to the view, the log, the quiz and the chat. Runs on the student's
// thread, one packet at a time.
#pragma once

#include "framework/Afx.h"
#include "sessions/ThumbnailDecoder.h"
#include "sessions/UploadReceiver.h"

#include <string>

class CPacket;
class CPCInfo;
class CPCThreadWnd;
struct StudentThreadLinks;

class CReceiveDispatcher {
public:
    explicit CReceiveDispatcher(CPCThreadWnd& wnd);

    void Dispatch(const CPacket& packet);
    // The connection ended: an unfinished upload is closed.
    void CloseUpload() { m_upload.Close(); }

private:
    void OnText(const CString& text);
    void OnScreenFormat(const CPacket& packet);
    void OnKeyRecords(const CPacket& packet);
    void OnMouseRecords(const CPacket& packet);
    void OnThumbnailPart(const CPacket& packet);
    void OnFilePiece(const CPacket& packet);
    void OnValuePair(const CPacket& packet);

    void OnKeepAlive();
    void OnScreenSize(const std::u16string& arguments);
    void OnAddressReport(const CString& arguments);
    void OnChatLine(const std::u16string& arguments);
    void OnShareFrameAck(const std::u16string& arguments);
    void OnRestarting();
    void OnPadState(const std::u16string& arguments);
    void OnPadPermissions(const std::u16string& arguments);
    void OnQuizBuzzer();
    void OnQuizAnswer(const CString& arguments);
    void OnPadAppEvent(const std::u16string& arguments);
    void OnScanCodes(const std::u16string& arguments);
    void OnHangulKey();
    void OnPadShareStart();
    void OnPadShareParam(const std::u16string& arguments);
    void OnPadShareRestart(const std::u16string& arguments);

    void PostToView(UINT message, LPARAM lParam = 0);
    bool MayPlayInputHere(const wchar_t* what) const;
    bool HoldsPadShare(const wchar_t* what) const;
    void StampHeard();

    CPCThreadWnd& m_wnd;
    CPCInfo& m_slot;
    const StudentThreadLinks& m_links;
    CThumbnailDecoder m_thumbnails;
    CUploadReceiver m_upload;
    DWORD m_addressWindowStart = 0;
    int m_addressReportsInWindow = 0;
};
