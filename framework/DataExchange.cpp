#include "framework/DataExchange.h"

#include "framework/AfxMessageBox.h"

#include <climits>
#include <cwctype>

namespace {

// English forms for a resource module that lacks the framework's texts.
const wchar_t* FallbackText(UINT id)
{
    switch (id) {
    case AFX_IDP_PARSE_INT: return L"Please enter an integer.";
    case AFX_IDP_PARSE_INT_RANGE: return L"Please enter an integer between %1 and %2.";
    case AFX_IDP_PARSE_STRING_SIZE: return L"Please enter no more than %1 characters.";
    case AFX_IDP_PARSE_UINT: return L"Please enter a positive integer.";
    default: return L"";
    }
}

// A whole decimal number with optional blanks around it and an optional sign; false for
// anything else or a value beyond the limits.
bool ParseWhole(const CString& text, long long minValue, long long maxValue, long long& value)
{
    const wchar_t* p = text.GetString();
    while (std::iswspace(*p))
        ++p;
    bool negative = false;
    if (*p == L'+' || *p == L'-')
        negative = *p++ == L'-';
    if (*p < L'0' || *p > L'9')
        return false;
    long long magnitude = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        magnitude = magnitude * 10 + (*p - L'0');
        if (magnitude > 0xFFFFFFFFLL)
            return false;
    }
    while (std::iswspace(*p))
        ++p;
    if (*p)
        return false;
    value = negative ? -magnitude : magnitude;
    return value >= minValue && value <= maxValue;
}

CString ControlText(HWND control)
{
    CString text;
    if (!control)
        return text;
    const int length = GetWindowTextLengthW(control);
    GetWindowTextW(control, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer(-1);
    return text;
}

void SetControlText(HWND control, const wchar_t* text)
{
    if (!control)
        return;
    // Setting the same text again would move the caret and mark an edit control modified.
    if (ControlText(control) != text)
        SetWindowTextW(control, text);
}

} // namespace

CString AfxFormatString2(UINT id, const wchar_t* first, const wchar_t* second)
{
    CString text;
    if (!text.LoadString(id))
        text = FallbackText(id);
    text.Replace(L"%1", first ? first : L"");
    text.Replace(L"%2", second ? second : L"");
    return text;
}

HWND CDataExchange::PrepareCtrl(int id)
{
    m_lastControl = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), id) : nullptr;
    m_lastIsEdit = FALSE;
    if (!m_lastControl)
        TRACE(L"DDX: no control %d in the dialog\n", id);
    return m_lastControl;
}

HWND CDataExchange::PrepareEditCtrl(int id)
{
    HWND control = PrepareCtrl(id);
    m_lastIsEdit = TRUE;
    return control;
}

void CDataExchange::Fail(const CString& message)
{
    if (m_bFailed)
        return;
    m_bFailed = TRUE;
    if (!message.IsEmpty())
        AfxMessageBox(message, MB_ICONEXCLAMATION);
    if (m_lastControl && ::IsWindow(m_lastControl)) {
        ::SetFocus(m_lastControl);
        if (m_lastIsEdit)
            ::SendMessageW(m_lastControl, EM_SETSEL, 0, -1);
    }
}

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    if (pDX->Failed())
        return;
    HWND control = pDX->PrepareEditCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(control);
    else
        SetControlText(control, value);
}

void DDX_Text(CDataExchange* pDX, int id, int& value)
{
    if (pDX->Failed())
        return;
    HWND control = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(L"%d", value);
        SetControlText(control, text);
        return;
    }
    long long parsed = 0;
    if (!ParseWhole(ControlText(control), INT_MIN, INT_MAX, parsed)) {
        pDX->Fail(AfxFormatString2(AFX_IDP_PARSE_INT, nullptr, nullptr));
        return;
    }
    value = static_cast<int>(parsed);
}

void DDX_Text(CDataExchange* pDX, int id, UINT& value)
{
    if (pDX->Failed())
        return;
    HWND control = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(L"%u", value);
        SetControlText(control, text);
        return;
    }
    long long parsed = 0;
    if (!ParseWhole(ControlText(control), 0, UINT_MAX, parsed)) {
        pDX->Fail(AfxFormatString2(AFX_IDP_PARSE_UINT, nullptr, nullptr));
        return;
    }
    value = static_cast<UINT>(parsed);
}

void DDX_Check(CDataExchange* pDX, int id, int& value)
{
    if (pDX->Failed())
        return;
    HWND control = pDX->PrepareCtrl(id);
    if (!control)
        return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageW(control, BM_GETCHECK, 0, 0));
    else
        ::SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (pDX->Failed() || control.GetSafeHwnd())
        return;
    HWND item = pDX->PrepareCtrl(id);
    if (!item || !control.SubclassWindow(item))
        TRACE(L"DDX_Control: control %d could not be subclassed\n", id);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int maxChars)
{
    if (pDX->Failed())
        return;
    if (!pDX->m_bSaveAndValidate) {
        // Keeps the user from typing more than the check allows into the control of the
        // DDX_Text before this call.
        if (HWND control = pDX->GetLastControl())
            ::SendMessageW(control, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
        return;
    }
    if (value.GetLength() > maxChars) {
        CString limit;
        limit.Format(L"%d", maxChars);
        pDX->Fail(AfxFormatString2(AFX_IDP_PARSE_STRING_SIZE, limit, nullptr));
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue)
{
    if (pDX->Failed() || !pDX->m_bSaveAndValidate)
        return;
    if (value < minValue || value > maxValue) {
        CString low;
        CString high;
        low.Format(L"%d", minValue);
        high.Format(L"%d", maxValue);
        pDX->Fail(AfxFormatString2(AFX_IDP_PARSE_INT_RANGE, low, high));
    }
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minValue, UINT maxValue)
{
    if (pDX->Failed() || !pDX->m_bSaveAndValidate)
        return;
    if (value < minValue || value > maxValue) {
        CString low;
        CString high;
        low.Format(L"%u", minValue);
        high.Format(L"%u", maxValue);
        pDX->Fail(AfxFormatString2(AFX_IDP_PARSE_INT_RANGE, low, high));
    }
}
