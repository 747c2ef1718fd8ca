#pragma once
// The root of the form classes: an object with an owner that destroys it.

#include <functional>
#include <string>
#include <vector>

namespace halvorn {

class TObject {
 public:
  virtual ~TObject() = default;
};

// An event: an optional callable, run only when assigned.
using TNotifyEvent = std::function<void(TObject* sender)>;

// A component is created with an owner, which destroys it together with
// everything else it owns, the last created first. A component destroyed
// earlier first leaves its owner's list, so nothing is freed twice. Without
// an owner, whoever created the component destroys it.
class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  // Raises EListError outside 0..ComponentCount()-1.
  TComponent* Components(int index) const;

 protected:
  // Destroys every owned component now, the last created first. Owners whose
  // members the components still use call it at the start of their own
  // destructor.
  void DestroyComponents();

 private:
  TComponent* owner_;
  std::string name_;
  std::vector<TComponent*> components_;
};

}  // namespace halvorn
