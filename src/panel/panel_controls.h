#pragma once
// The control properties through which the commands and the menu watcher read and
// change the tool's state, and the two things the commands show outside the panel.
// The Win32 panel implements both; host tests use fakes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korrelin {

enum class EditBox { 编辑框1, 编辑框2 };

class PanelControls {
  public:
    virtual ~PanelControls() = default;

    // The box's content as code page 936 bytes; nullopt when the box is empty.
    virtual std::optional<std::string> ReadEditText(EditBox box) = 0;
    // The caption of 标签1; nullopt empties it. Redraws the label at once.
    virtual void WriteStatusCaption(std::optional<std::string_view> caption) = 0;
    // The period of 时钟1 in milliseconds: below 0 is taken as 0, the current value
    // changes nothing, any other value restarts the countdown (0: stopped).
    virtual void WritePeriod(std::int32_t milliseconds) = 0;
    virtual std::int32_t ReadPeriod() const = 0;
    // The index of 组合框2's selected item, or -1 when none is selected.
    virtual std::int32_t ReadSelection() = 0;
    // False once the panel has been destroyed (possible during a pumping wait).
    virtual bool PanelExists() const = 0;
};

class PanelShell {
  public:
    virtual ~PanelShell() = default;

    // A message box with no owner, MB_OK | MB_TASKMODAL; returns when it is closed.
    virtual void ShowMessageBox(std::string_view text, std::string_view caption) = 0;
    // The shell's "open" of the address, SW_SHOWNORMAL; the outcome is not reported.
    virtual void OpenWebAddress(std::string_view address) = 0;
};

}  // namespace korrelin
