// CGroupExecuteDlg: acts on the students of the shown group (dialog 387): starts a program on
// each student PC, ends a process there, or restarts or shuts the PCs down. Each action goes out
// at once to every connected target (only the selected ones while slots are selected in the
// grid); the dialog stays open for the next one. Program paths that were run are remembered in
// the registry value "recentexe" and offered in the path box.
#pragma once

#include "dialogs/SkinnedViewDialog.h"
#include "ui/ComboArrowSkin.h"
#include "ui/VarnixComboBox.h"

#include <functional>
#include <string>
#include <vector>

class CPCInfo;

class CGroupExecuteDlg : public CSkinnedViewDialog {
public:
    CGroupExecuteDlg(const std::vector<CPCInfo*>& targets, bool selectedOnly, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override {}   // Enter does nothing: each action has its button

    afx_msg void OnRun();
    afx_msg void OnEndProcess();
    afx_msg void OnRestart();
    afx_msg void OnShutdown();
    afx_msg void OnDeleteRecent();
    afx_msg void OnCloseDialog();
    DECLARE_MESSAGE_MAP()

private:
    void PlaceControls();
    void FillRecentPaths();
    // The field's text, trimmed; false after the refusal of the field's check was shown.
    bool ReadRunField(int id, bool mayBeEmpty, UINT emptyText, UINT tooLongText, std::u16string& value);
    bool IsTarget(const CPCInfo& slot) const;
    // The command made for each target from its token, as a type-1 packet.
    void PostProgramCommand(const std::function<std::u16string(const std::u16string& token)>& commandFor);
    void AskAndPostPower(UINT captionId, UINT noteId, UINT askId, const std::u16string& command);

    std::vector<CPCInfo*> m_targets;
    bool m_selectedOnly;
    CVarnixComboBox m_pathCombo;
    CComboArrowSkin m_pathArrow;
    CImageButton m_runButton;
    CImageButton m_endButton;
    CImageButton m_restartButton;
    CImageButton m_shutdownButton;
    CImageButton m_closeDialogButton;
    CImageButton m_deleteRecentButton;
};
