#pragma once
// The stand-in chat client: its windows, its members and what clicks do to them.
// One instance lives in wWinMain; the windows call it with what the user (or a
// poster) did, and it opens and closes the menus and logs what happened.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "standin/standin_menus.h"
#include "standin/standin_options.h"
#include "standin/standin_window_win32.h"
#include "standin/standin_windows_win32.h"

namespace korrelin {

class StandinApp {
  public:
    StandinApp(HINSTANCE instance, StandinOptions options);

    // Creates the windows, opens the pop-up when asked to and logs "ready"; on
    // failure says why in `error`.
    bool Start(std::wstring& error);

    const std::vector<StandinMember>& members() const { return members_; }
    HFONT font() const { return font_.get(); }
    // The member whose pop-up is open.
    std::optional<int> PopupMember() const;
    bool IsSubmenuOpen() const { return submenu_ && submenu_->IsOpen(); }

    // A right-click (or the test message) on a member: opens the pop-up there,
    // unless that member's pop-up is open already.
    void OnMemberMenuRequested(int member, POINT screenPoint);
    // Any left click on the pop-up; --hang-ms freezes the stand-in at the first.
    void OnPopupClicked();
    void OnSubmenuOpenerClicked();
    void OnSubmenuDelayElapsed();
    void OnRoleChosen(int role);
    void OnMark(WPARAM id);
    void CloseMenus();

  private:
    void OpenSubmenu();

    HINSTANCE instance_;
    StandinOptions options_;
    StandinLog log_;  // before the windows, which log until they are gone
    UniqueFont font_;
    std::vector<StandinMember> members_ = InitialMembers();
    ChannelWindow channel_{*this, log_};
    std::vector<std::unique_ptr<ExtraWindow>> extras_;
    // A closed menu keeps its object, with no window, until the next one replaces
    // it: the menu may be closed from inside its own message handler.
    std::unique_ptr<MenuWindow> popup_;
    std::unique_ptr<MenuWindow> submenu_;
    std::optional<WindowTimer> submenuTimer_;  // on the channel window, for --submenu-delay
    int popupMember_ = 0;
    int openerClicks_ = 0;  // since the pop-up opened
    bool hangDone_ = false;
};

}  // namespace korrelin
