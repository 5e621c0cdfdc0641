// CDataExchange and the DDX_/DDV_ helpers: move values between a dialog's controls and its
// members (UpdateData), checking what the user typed. A failed check shows the framework's
// standard message, puts the focus on the control and stops the exchange; no exception is used.
//
//   void CMyDlg::DoDataExchange(CDataExchange* pDX)
//   {
//       DDX_Control(pDX, IDC_LIST, m_list);
//       DDX_Text(pDX, IDC_NAME, m_name);
//       DDV_MaxChars(pDX, m_name, 20);
//       DDX_Text(pDX, IDC_COUNT, m_count);
//       DDV_MinMaxInt(pDX, m_count, 1, 99);
//   }
#pragma once

#include "framework/Wnd.h"

// String-table ids of the standard messages ("%1" and "%2" stand for the limits).
#define AFX_IDP_PARSE_INT 61696         // not a whole number
#define AFX_IDP_PARSE_INT_RANGE 61697   // a number outside %1 to %2
#define AFX_IDP_PARSE_STRING_SIZE 61698 // more than %1 characters
#define AFX_IDP_PARSE_UINT 61699        // not a whole number without a sign

class CDataExchange {
public:
    CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate)
        : m_pDlgWnd(dlgWnd), m_bSaveAndValidate(saveAndValidate) {}

    // The control about to be exchanged (an edit control for PrepareEditCtrl), remembered for
    // Fail; null when the dialog has no such control.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // Shows the message (when given), focuses the last prepared control and stops the exchange.
    void Fail(const CString& message = CString());
    BOOL Failed() const { return m_bFailed; }
    HWND GetLastControl() const { return m_lastControl; }

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;

private:
    HWND m_lastControl = nullptr;
    BOOL m_lastIsEdit = FALSE;
    BOOL m_bFailed = FALSE;
};

// Text of a control <-> a string or a number (saving refuses text that is not a whole number).
void DDX_Text(CDataExchange* pDX, int id, CString& value);
void DDX_Text(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, UINT& value);
// A check box or radio button's state (BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE).
void DDX_Check(CDataExchange* pDX, int id, int& value);
// Links the control object to the dialog's control (subclassed once, the first time).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);

// Checks run only while saving, right after the DDX_ of the same control.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int maxChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minValue, UINT maxValue);

// A string-table text with %1 and %2 replaced.
CString AfxFormatString2(UINT id, const wchar_t* first, const wchar_t* second);
