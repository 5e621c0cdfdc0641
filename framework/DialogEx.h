// CDialogEx: the dialog class the application's dialogs derive from; the same as CDialog here
// (background colours are painted by the dialogs themselves).
#pragma once

#include "framework/Dialog.h"

class CDialogEx : public CDialog {
public:
    CDialogEx() = default;
    explicit CDialogEx(UINT templateId, CWnd* parent = nullptr) : CDialog(templateId, parent) {}
};
