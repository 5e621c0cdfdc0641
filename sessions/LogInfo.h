// CLogInfo: one record of the pad event log — an app the pad ended because it is not allowed
// (kind 1) or a connection that ended without the agent's goodbye (kind 2). Made on the thread
// that saw the event and posted to the log window with WM_ADD_LOG_RECORD.
#pragma once

#include "framework/Afx.h"
#include "framework/RuntimeClass.h"

#include <memory>

class CLogInfo : public CObject {
    DECLARE_DYNAMIC(CLogInfo)
public:
    enum Kind { kAppEnded = 1, kAbnormalEnd = 2 };

    CLogInfo();

    // Kind 1: the app text is the app alone when the label is "_NONE_", else "label(app)".
    static std::unique_ptr<CLogInfo> MakeAppEnded(int slotNumber, const CString& studentName,
                                                  const CString& app, const CString& label,
                                                  const CString& appText);
    // Kind 2: titles name the slot as "%d(%s)"; content and kind text say how it ended
    // ("Abnormal Disconnection" with "2" when the connection closed).
    static std::unique_ptr<CLogInfo> MakeSlotEnded(int slotNumber, const CString& studentName,
                                                   const CString& content, const CString& kindText);

    SYSTEMTIME m_time;          // local time
    int m_slotNumber = 0;
    int m_reserved = 0;
    int m_kind = 0;
    CString m_title;
    CString m_detail;
    CString m_studentName;
    CString m_content;
    CString m_kindText;
    CString m_spare;
};

// Posts the record to the log window; false (the record freed) when there is none.
bool PostLogRecord(HWND logWindow, std::unique_ptr<CLogInfo> record);
