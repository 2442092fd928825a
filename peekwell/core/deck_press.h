#pragma once
// The browser deck's areas act as push buttons: a press on an acting area holds it, it looks
// pressed while the pointer is on it and raised off it, and a release on it acts.

namespace peekwell {

class DeckPress {
 public:
  // Areas are numbered from 1; 0 is none. The first does nothing, like the space between them.
  static constexpr int kFirstActing = 2;

  // The button goes down on `area`; it holds the area if that one acts.
  void Press(int area);
  // The pointer is over `area` while the button is down: true when the look changes.
  bool Move(int area);
  // The button comes up over `area`: the area that acts (0: none), and nothing is held.
  int Release(int area);
  bool Held() const { return held_ != 0; }
  // The area that looks pressed (0: none).
  int Shown() const { return inside_ ? held_ : 0; }

 private:
  int held_ = 0;
  bool inside_ = false;
};

}  // namespace peekwell
