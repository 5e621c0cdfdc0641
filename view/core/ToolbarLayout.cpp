#include "view/core/ToolbarLayout.h"

#include "res/resource.h"

#include <cstddef>

namespace {

constexpr int kBandSide = 145;
constexpr int kCornerSide = 42;
constexpr int kCornerGap = 4;
constexpr int kButtonSide = 52;
constexpr int kButtonGap = 5;
constexpr int kEdgeMargin = 30;

const int kCornerButtons[] = {IDC_TB_PANEL_CLASS, IDC_TB_PANEL_STUDENT, IDC_TB_PANEL_SETTINGS,
                              IDC_TB_ROTATE, IDC_TB_QUIZ};

int PanelLength(int panel)
{
    switch (panel) {
    case kToolbarClassPanel: return 602;
    case kToolbarStudentPanel: return 390;
    case kToolbarSettingsPanel: return 434;
    default: return kBandSide;
    }
}

ToolbarButtonPlace Place(int id, int along, int across, int side, bool horizontal)
{
    return horizontal ? ToolbarButtonPlace{id, along, across, side} : ToolbarButtonPlace{id, across, along, side};
}

} // namespace

ToolbarSize ToolbarDesignSize(int panel, bool horizontal)
{
    const int length = PanelLength(panel);
    return horizontal ? ToolbarSize{length, kBandSide} : ToolbarSize{kBandSide, length};
}

std::vector<int> ToolbarPanelButtons(int panel)
{
    switch (panel) {
    case kToolbarClassPanel:
        return {IDC_TB_MONITORING, IDC_TB_COLLECT_VIEW, IDC_TB_SHARE, IDC_TB_FILE_TRANSFER,
                IDC_TB_TOUCH, IDC_TB_PEN_TOOL, IDC_TB_INBOX, IDC_TB_PRESENTATION};
    case kToolbarStudentPanel:
        return {IDC_TB_REMOTE_CONTROL, IDC_TB_CHAT, IDC_TB_TOUCH_CONTROL};
    case kToolbarSettingsPanel:
        return {IDC_TB_GRID_LAYOUT, IDC_TB_MONITOR_SETTINGS, IDC_TB_STUDENT_NAMES, IDC_TB_SETTINGS, IDC_TB_LOG};
    default:
        return {};
    }
}

std::vector<ToolbarButtonPlace> ToolbarButtons(int panel, bool horizontal)
{
    std::vector<ToolbarButtonPlace> places;
    // The corner column: three rows of two, centred in the 145-pixel square.
    const int cornerStart = (kBandSide - (3 * kCornerSide + 2 * kCornerGap)) / 2;
    const int cornerLeft = (kBandSide - (2 * kCornerSide + kCornerGap)) / 2;
    int k = 0;
    for (int id : kCornerButtons) {
        const int along = cornerLeft + (k % 2) * (kCornerSide + kCornerGap);
        const int across = cornerStart + (k / 2) * (kCornerSide + kCornerGap);
        places.push_back(Place(id, along, across, kCornerSide, horizontal));
        ++k;
    }
    const std::vector<int> row = ToolbarPanelButtons(panel);
    const int rowLength = static_cast<int>(row.size()) * (kButtonSide + kButtonGap) - kButtonGap;
    int along = kBandSide + (PanelLength(panel) - kBandSide - rowLength) / 2;
    const int across = (kBandSide - kButtonSide) / 2;
    for (int id : row) {
        places.push_back(Place(id, along, across, kButtonSide, horizontal));
        along += kButtonSide + kButtonGap;
    }
    return places;
}

std::vector<int> ToolbarShareControlIds()
{
    return {IDC_TB_CAPTURE_LEFT, IDC_TB_CAPTURE_TOP, IDC_TB_CAPTURE_RIGHT, IDC_TB_CAPTURE_BOTTOM,
            IDC_TB_CANVAS_WIDTH, IDC_TB_CANVAS_HEIGHT, IDC_TB_QUALITY, IDC_TB_MODE_FULL,
            IDC_TB_MODE_WINDOW, IDC_TB_FIT_STRETCH, IDC_TB_FIT_CENTRE, IDC_TB_APPLY_SHARE};
}

std::vector<ToolbarControlPlace> ToolbarShareControls(int panel, bool horizontal)
{
    std::vector<ToolbarControlPlace> places;
    if (panel != kToolbarSettingsPanel)
        return places;
    const std::vector<int> ids = ToolbarShareControlIds();
    // The numbers on one side of the button row, the choices and apply on the other.
    const std::size_t numbers = 7;
    const int band = (kBandSide - kButtonSide) / 2;
    const int rowStart = kBandSide + 2;
    const int rowLength = PanelLength(panel) - rowStart - 2;
    for (std::size_t k = 0; k < ids.size(); ++k) {
        const bool number = k < numbers;
        const std::size_t slot = number ? k : k - numbers;
        const std::size_t count = number ? numbers : ids.size() - numbers;
        const int bandStart = number ? 0 : kBandSide - band;
        if (horizontal) {
            const int width = rowLength / static_cast<int>(count) - 3;
            const int height = 18;
            places.push_back({ids[k], rowStart + static_cast<int>(slot) * (width + 3),
                              bandStart + (band - height) / 2, width, height});
        } else {
            const int width = band - 4;
            const int height = 18;
            places.push_back({ids[k], bandStart + 2, rowStart + static_cast<int>(slot) * (height + 4), width, height});
        }
    }
    return places;
}

int ToolbarBackLayerBitmap(int panel, bool horizontal)
{
    switch (panel) {
    case kToolbarStudentPanel: return horizontal ? IDB_TOOLBAR_STUDENT_PANEL : IDB_TOOLBAR_STUDENT_PANEL_V;
    case kToolbarSettingsPanel: return horizontal ? IDB_TOOLBAR_SETTINGS_PANEL : IDB_TOOLBAR_SETTINGS_PANEL_V;
    default: return horizontal ? IDB_TOOLBAR_CLASS_PANEL : IDB_TOOLBAR_CLASS_PANEL_V;
    }
}

ToolbarSpot KeepToolbarOnScreen(int x, int y, int width, int height, int screenWidth, int screenHeight,
                                int rightMargin)
{
    if (x >= 0 && y >= 0 && x + width <= screenWidth && y + height <= screenHeight)
        return {x, y};
    return {screenWidth - width - rightMargin, screenHeight - height - kEdgeMargin};
}
