#pragma once
// A message map: which handler runs when a control sends a notification.

#include <functional>
#include <vector>

class CommandMap {
 public:
  void Add(int id, int code, std::function<void()> handler) {
    entries_.push_back({id, code, std::move(handler)});
  }
  // Runs the handler of (id, code); false when there is none.
  bool Run(int id, int code) const {
    for (const Entry& entry : entries_) {
      if (entry.id == id && entry.code == code) {
        entry.handler();
        return true;
      }
    }
    return false;
  }

 private:
  struct Entry {
    int id;
    int code;
    std::function<void()> handler;
  };
  std::vector<Entry> entries_;
};
