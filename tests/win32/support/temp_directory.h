#pragma once
// A fresh folder under the user's temporary folder for one test, with everything in
// it deleted when the test is over.

#include <string>
#include <string_view>

namespace korrelin::support {

class TempDirectory {
  public:
    TempDirectory();  // creates it; path() is empty when that fails
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::wstring& path() const { return path_; }
    // The path of a file in the folder (the file itself is not made).
    std::wstring FilePath(std::wstring_view name) const;

  private:
    std::wstring path_;
};

}  // namespace korrelin::support
