#include "tray/capture_dialog_view.h"

namespace nudgekey {

CaptureDialogView InitialCaptureDialogView()
{
    CaptureDialogView view;
    view.caption = "";
    view.visible = false;
    view.clientWidth = 2655;
    view.clientHeight = 1065;
    view.labelText = "Press any key to configure the mouse button...";
    view.labelPlace = {285, 135, 2145, 405};
    view.cancelText = "Cancel";
    view.cancelPlace = {780, 615, 1110, 345};
    return view;
}

}  // namespace nudgekey
