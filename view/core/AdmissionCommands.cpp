#include "view/core/AdmissionCommands.h"

#include "sessions/core/TeacherCommands.h"

std::vector<std::u16string> AdmissionStateCommands(const AdmissionState& state)
{
    const RestrictionFlags& flags = state.restrictions;
    std::vector<std::u16string> commands = {
        ScrollPositionCommand(state.scrollPosition),
        CaptureAllWindowsCommand(flags.captureAllWindows),
        LightRemotePcCommand(state.lightRemotePc),
        ForbidKeyboardCommand(flags.forbidKeyboard),
        ForbidMouseCommand(flags.forbidMouse),
        ForbidEndingCommand(flags.forbidEnding),
        HideTrayIconCommand(flags.hideTrayIcon),
        ForbidTaskManagerCommand(flags.forbidTaskManager),
        ForbidWebBrowsersCommand(flags.forbidWebBrowsers),
        ForbidUsbStorageCommand(flags.forbidUsbStorage),
        ForbidOtherProgramsCommand(flags.forbidOtherPrograms),
        ProgramListCommand(state.padProgramList),
    };
    if (state.screenSharing) {
        const ShareSettings& share = state.share;
        commands.push_back(
            ShareSettingsCommand(share.canvasWidth, share.canvasHeight, share.fullScreen, share.resize));
        commands.push_back(ScreenShareCommand(true));
    }
    return commands;
}
