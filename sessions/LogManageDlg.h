// CLogManageDlg: the pad event log (dialog 780), a modeless window the view creates at its
// first update and keeps, hidden, until the view goes. Producers on any thread post it their
// records (WM_ADD_LOG_RECORD); the newest is the first row, the selected row's record is shown
// in the detail pane, and every abnormal end is reported to the web service on a worker thread,
// so the console never waits for the service.
//
// The list owns its records: each row's item data is its CLogInfo, deleted with the row. The
// window and its list are used on the main thread only.
#pragma once

#include "framework/Brush.h"
#include "framework/Font.h"
#include "framework/ListCtrl.h"
#include "framework/RichEditCtrl.h"
#include "ui/ImageButton.h"
#include "ui/SkinnedDialog.h"

#include <atomic>
#include <memory>

class CLogInfo;

// The log window producers post to; null while there is none.
extern std::atomic<HWND> g_logDlg;

class CLogManageDlg : public CSkinnedDialog {
public:
    CLogManageDlg();

    // The hidden window, published as g_logDlg. Its end (DestroyWindow) withdraws it.
    BOOL CreateHidden(CWnd* parent);
    // The window shown in front (the toolbar's log button).
    void ShowInFront();

    // Rows are dropped from the bottom beyond this many: a pad that repeats its events cannot
    // grow the list without bound.
    static constexpr int kMaxRows = 1000;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg LRESULT OnAddLog(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReportDone(WPARAM wParam, LPARAM lParam);
    afx_msg void OnItemChanged(NMHDR* header, LRESULT* result);
    afx_msg void OnDeleteItem(NMHDR* header, LRESULT* result);
    afx_msg void OnCloseButton();
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    DECLARE_MESSAGE_MAP()

private:
    void PrepareList();
    bool AddRow(std::unique_ptr<CLogInfo> record);
    void ShowRecord(const CLogInfo& record);
    void ReportAbnormalEnd(int slotNumber, int kind);

    CListCtrl m_list;
    CRichEditCtrl m_detail;
    CImageButton m_closeButton;
    CFont m_titleFont;
    CFont m_textFont;
    CBrush m_backgroundBrush;
    CBrush m_bandBrush;
    int m_reportsInFlight = 0;
};
