// An ordered list with at most one selected item, the model behind the
// Concat input list and the cut list: the operations keep the selection on
// the item the user works with.
#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace trellimux {

template <class Item>
class SelectableList {
 public:
  const std::vector<Item>& Items() const { return items_; }
  std::size_t Size() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  std::optional<std::size_t> Selection() const { return selection_; }

  // The view's selection (a click); an index past the end selects nothing.
  void Select(std::optional<std::size_t> index) {
    selection_ = index && *index < items_.size() ? index : std::nullopt;
  }

  // The item becomes the last one and the selected one.
  void Append(Item item) {
    items_.push_back(std::move(item));
    selection_ = items_.size() - 1;
  }

  // Replaces the selected item; false without a selection.
  bool ReplaceSelected(Item item) {
    if (!selection_) return false;
    items_[*selection_] = std::move(item);
    return true;
  }

  // Deletes the selected item and selects the one at its place, or the last
  // one when it was the last; false without a selection.
  bool RemoveSelected() {
    if (!selection_) return false;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(*selection_));
    if (items_.empty()) {
      selection_.reset();
    } else if (*selection_ == items_.size()) {
      selection_ = items_.size() - 1;
    }
    return true;
  }

  // Swap the selected item with its neighbour, which keeps it selected; false
  // without a selection or at the end it would move past.
  bool MoveUp() {
    if (!selection_ || *selection_ == 0) return false;
    std::swap(items_[*selection_], items_[*selection_ - 1]);
    --*selection_;
    return true;
  }

  bool MoveDown() {
    if (!selection_ || *selection_ + 1 >= items_.size()) return false;
    std::swap(items_[*selection_], items_[*selection_ + 1]);
    ++*selection_;
    return true;
  }

  void Reset() {
    items_.clear();
    selection_.reset();
  }

 private:
  std::vector<Item> items_;
  std::optional<std::size_t> selection_;
};

}  // namespace trellimux
