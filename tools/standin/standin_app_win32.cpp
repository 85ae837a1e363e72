#include "standin/standin_app_win32.h"

#include <utility>

namespace korrelin {
namespace {

constexpr UINT_PTR kSubmenuTimerId = 1;
constexpr POINT kDefaultChannelPosition{100, 100};
constexpr StandinSize kChannelSize{360, 240};
constexpr StandinSize kExtraWindowSize{320, 160};
// The submenu overlaps the pop-up's right edge by this much, level with its opener.
constexpr int kSubmenuOverlap = 4;

RECT RectAt(POINT topLeft, StandinSize size) {
    return {topLeft.x, topLeft.y, topLeft.x + size.width, topLeft.y + size.height};
}

}  // namespace

StandinApp::StandinApp(HINSTANCE instance, StandinOptions options)
    : instance_(instance), options_(std::move(options)) {}

std::optional<int> StandinApp::PopupMember() const {
    if (!popup_ || !popup_->IsOpen()) return std::nullopt;
    return popupMember_;
}

bool StandinApp::Start(std::wstring& error) {
    if (options_.logPath && !log_.Open(*options_.logPath)) {
        error = L"cannot create the log file " + *options_.logPath;
        return false;
    }
    std::vector<std::wstring> classNames{L"QWidget", L"QPopup"};
    for (const StandinExtraWindow& extra : options_.extraWindows) {
        classNames.push_back(extra.className);
    }
    for (const std::wstring& className : classNames) {
        if (!StandinWindow::RegisterWindowClass(instance_, className)) {
            error = L"cannot register the window class " + className;
            return false;
        }
    }
    font_ = CreateChineseFont(15);

    const POINT position = options_.position ? POINT{options_.position->x, options_.position->y}
                                             : kDefaultChannelPosition;
    if (!channel_.Open(instance_, ChannelWindowTitle(options_), RectAt(position, kChannelSize))) {
        error = L"cannot create the channel window";
        return false;
    }
    submenuTimer_.emplace(channel_.handle(), kSubmenuTimerId);

    // Each extra window goes on top of the ones before it.
    for (std::size_t i = 0; i < options_.extraWindows.size(); ++i) {
        const int offset = 30 * static_cast<int>(i);
        const POINT topLeft{position.x + kChannelSize.width + 40 + offset, position.y + offset};
        auto extra = std::make_unique<ExtraWindow>(log_);
        if (!extra->Open(instance_, options_.extraWindows[i].className,
                         options_.extraWindows[i].title, RectAt(topLeft, kExtraWindowSize))) {
            error = L"cannot create the window " + options_.extraWindows[i].className;
            return false;
        }
        extras_.push_back(std::move(extra));
    }

    if (options_.openPopup) {
        OnMemberMenuRequested(options_.member, channel_.MemberAnchor(options_.member));
    }
    log_.Event("ready", {{"channel", WindowHandleField(channel_.handle())},
                         {"pid", std::to_string(GetCurrentProcessId())}});
    return true;
}

void StandinApp::OnMemberMenuRequested(int member, POINT screenPoint) {
    if (member < 0 || member >= static_cast<int>(members_.size())) return;
    if (PopupMember() == member) return;
    CloseMenus();
    popup_ = std::make_unique<MenuWindow>(*this, log_, MenuWindow::Kind::Popup);
    if (!popup_->Open(instance_, RectOnScreen(screenPoint, {kPopupWidth, options_.popupHeight}))) {
        return;
    }
    popupMember_ = member;
    openerClicks_ = 0;
    log_.Event("popup-opened",
               {{"member", std::to_string(member)}, {"hwnd", WindowHandleField(popup_->handle())}});
    channel_.Redraw();
}

void StandinApp::OnPopupClicked() {
    if (options_.hangMs == 0 || hangDone_) return;
    hangDone_ = true;
    log_.Event("hang-started", {{"ms", std::to_string(options_.hangMs)}});
    // A client that does not answer: nothing of the stand-in runs meanwhile.
    Sleep(options_.hangMs);
    log_.Event("hang-ended");
}

void StandinApp::OnSubmenuOpenerClicked() {
    if (options_.noSubmenu) return;
    ++openerClicks_;
    // One submenu at most, however often the entry is clicked.
    if (IsSubmenuOpen() || submenuTimer_->IsRunning()) return;
    if (openerClicks_ < options_.submenuAfterClicks) return;
    if (options_.submenuDelayMs > 0) {
        submenuTimer_->Start(options_.submenuDelayMs);
    } else {
        OpenSubmenu();
    }
}

void StandinApp::OnSubmenuDelayElapsed() {
    submenuTimer_->Stop();
    OpenSubmenu();
}

void StandinApp::OpenSubmenu() {
    if (!PopupMember()) return;
    RECT popupRect{};
    GetWindowRect(popup_->handle(), &popupRect);
    const POINT topLeft{popupRect.right - kSubmenuOverlap,
                        popupRect.top + EntryTop(kPopupLayout, kSubmenuOpenerEntry)};
    submenu_ = std::make_unique<MenuWindow>(*this, log_, MenuWindow::Kind::Submenu);
    if (!submenu_->Open(instance_, RectOnScreen(topLeft, options_.submenuSize))) return;
    log_.Event("submenu-opened", {{"hwnd", WindowHandleField(submenu_->handle())}});
    InvalidateRect(popup_->handle(), nullptr, TRUE);
}

void StandinApp::OnRoleChosen(int role) {
    const auto member = PopupMember();
    if (!member) return;
    members_[static_cast<std::size_t>(*member)].role = role;
    log_.Event("role-applied",
               {{"member", std::to_string(*member)}, {"role", std::to_string(role)}});
    CloseMenus();
}

void StandinApp::OnMark(WPARAM id) {
    log_.Event("mark", {{"id", std::to_string(static_cast<std::uint32_t>(id))}});
}

void StandinApp::CloseMenus() {
    if (submenuTimer_) submenuTimer_->Stop();
    const bool wasOpen = PopupMember() || IsSubmenuOpen();
    if (submenu_) submenu_->Destroy();
    if (popup_) popup_->Destroy();
    if (!wasOpen) return;
    log_.Event("menus-closed");
    channel_.Redraw();
}

}  // namespace korrelin
