#include "fakes/fake_panel.h"

#include <utility>

namespace korrelin {

FakePanel::FakePanel(std::function<std::uint64_t()> clockMs) : clockMs_(std::move(clockMs)) {}

bool FakePanel::TakeDueTick() {
    if (period_ <= 0 || !countdownStartMs_) return false;
    const std::uint64_t now = clockMs_();
    const auto period = static_cast<std::uint64_t>(period_);
    if (now < *countdownStartMs_ + period) return false;
    *countdownStartMs_ += (now - *countdownStartMs_) / period * period;
    return true;
}

std::optional<std::string> FakePanel::ReadEditText(EditBox box) {
    NoteControlUse();
    const std::optional<std::string>& text = box == EditBox::编辑框1 ? channelBox : periodBox;
    if (!text || text->empty()) return std::nullopt;
    return text;
}

void FakePanel::WriteStatusCaption(std::optional<std::string_view> caption) {
    NoteControlUse();
    captionWrites_.emplace_back(caption);
    statusCaption = caption;
}

void FakePanel::WritePeriod(std::int32_t milliseconds) {
    NoteControlUse();
    periodWrites_.push_back(milliseconds);
    const std::int32_t period = milliseconds < 0 ? 0 : milliseconds;
    if (period == period_) return;  // a running countdown goes on undisturbed
    period_ = period;
    countdownStartMs_ = period > 0 ? std::optional<std::uint64_t>(clockMs_()) : std::nullopt;
}

std::int32_t FakePanel::ReadPeriod() const {
    NoteControlUse();
    return period_;
}

std::int32_t FakePanel::ReadSelection() {
    NoteControlUse();
    return selection;
}

void FakePanel::ShowMessageBox(std::string_view text, std::string_view caption) {
    messageBoxes_.push_back({std::string(text), std::string(caption), period_});
}

void FakePanel::OpenWebAddress(std::string_view address) {
    openedAddresses_.emplace_back(address);
}

void FakePanel::NoteControlUse() const {
    if (!exists_) ++controlUsesAfterClose_;
}

}  // namespace korrelin
