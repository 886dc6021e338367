#pragma once
// Which view commands are enabled: one rule table for menus, toolbar,
// accelerators and the context menu.

namespace pixfold {

struct ViewState {
    bool catalogEmpty = true;
    bool slideShowRunning = false;
    bool hasSelection = false;
};

// True for commands the view does not govern.
bool IsViewCommandEnabled(int commandId, const ViewState& state);

// Whether the view answers the enabling of this command.
bool IsViewCommand(int commandId);

// The context menu's own rule: as above, but Preferences is always offered,
// a slide show or not.
bool IsContextMenuCommandEnabled(int commandId, const ViewState& state);

}  // namespace pixfold
