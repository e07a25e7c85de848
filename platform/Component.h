#pragma once
// The minimal component base: an owner that releases what it owns, a name,
// and the after-loading hook a stored form calls once all values are read.
#include <string>
#include <utility>
#include <vector>

namespace platform {

// An owner deletes the components it owns, newest first, when it is
// destroyed; a component given an owner must therefore be created with new.
// One destroyed earlier leaves its owner's list by itself.
class TComponent {
public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // Runs once, after a stored form has set every property of the component.
    virtual void Loaded() {}

private:
    void insertOwned(TComponent* c);
    void removeOwned(TComponent* c);

    TComponent* owner_;
    std::string name_;
    std::vector<TComponent*> owned_;
};

} // namespace platform
