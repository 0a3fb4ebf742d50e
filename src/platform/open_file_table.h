// The files that one thread's FileSystem has open, by the identity the platform gives a
// file, so that a second open of one of them is told apart from a file held by someone else.
#pragma once

#include <algorithm>
#include <vector>

namespace orbek {

template <typename Identity> class OpenFileTable {
  public:
    void add(const Identity& file) { files_.push_back(file); }
    void remove(const Identity& file) {
        if (auto it = std::find(files_.begin(), files_.end(), file); it != files_.end()) {
            files_.erase(it);
        }
    }
    bool contains(const Identity& file) const {
        return std::find(files_.begin(), files_.end(), file) != files_.end();
    }

  private:
    std::vector<Identity> files_;
};

} // namespace orbek
