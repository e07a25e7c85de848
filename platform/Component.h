#pragma once
// The minimal component base: an owner that releases what it owns, a name,
// and the after-loading hook a stored form calls once all values are read.
#include <string>
#include <vector>

namespace platform {

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
