// Requests to the maker's web service and the one report the console sends: the abnormal end
// of a student pad's connection.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "foundation/core/ServiceReply.h"
#include "framework/AfxString.h"

// Registry-profile setting (section "config") holding the service's base URL, scheme, host and
// optional port, e.g. "http://service.example:8080". While it is empty nothing is sent.
extern const wchar_t kWebServiceHostKey[];
extern const wchar_t kAbnormalEndPath[];

// Runs the GET and gives the body (ANSI code page, trimmed), or kWebServiceFailureReply when
// the request failed in any way.
CString RequestWebService(const wchar_t* url, const wchar_t* query);

// Lower-case hexadecimal MD5 of the text's bytes in the ANSI code page.
CString AnsiMd5Hex(const CString& text);

// One abnormal-end report, prepared on the caller's thread.
struct AbnormalEndRequest {
    CString url;            // service host and kAbnormalEndPath; empty when no host is set
    CString query;          // "val1=%s&val2=%s&val3=%s&tid=%s&sid=%s"
    CString expectedCode;   // the digest the service must echo as its code
};
AbnormalEndRequest MakeAbnormalEndRequest(int slotNumber, int kind);

// Sends a prepared report and parses the reply into the record. True only when the service
// answered "result:true" and echoed the expected digest; otherwise the record's result is
// "false" (or empty when nothing was sent).
bool SendAbnormalEndRequest(const AbnormalEndRequest& request, WebServiceReply& reply);

// Prepares and sends the report on the calling thread (it may block for the time-outs).
bool ReportPadAbnormalEnd(int slotNumber, int kind, WebServiceReply& reply);

// Prepares the report on the calling thread and sends it on a worker thread, so a UI thread
// never waits for the service. When done the worker posts notifyMessage to notifyWindow (if
// given) with wParam TRUE when the report was accepted and lParam a new WebServiceReply* that
// the receiver deletes. False, and nothing posted, when no service host is set.
bool StartPadAbnormalEndReport(int slotNumber, int kind, HWND notifyWindow, UINT notifyMessage);
