#include "platform/Component.h"

#include <algorithm>

namespace platform {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_ != nullptr) {
        owner_->insertOwned(this);
    }
}

TComponent::~TComponent() {
    // Newest first, so a component may rely on those created before it while
    // it is torn down. Each one is detached before it is deleted, so its own
    // destructor does not search for itself here.
    while (!owned_.empty()) {
        TComponent* const component = owned_.back();
        owned_.pop_back();
        component->owner_ = nullptr;
        delete component;
    }
    if (owner_ != nullptr) {
        owner_->removeOwned(this);
    }
}

void TComponent::insertOwned(TComponent* c) {
    owned_.push_back(c);
}

void TComponent::removeOwned(TComponent* c) {
    // Searched from the back: components usually go in reverse order.
    const auto it = std::find(owned_.rbegin(), owned_.rend(), c);
    if (it != owned_.rend()) {
        owned_.erase(std::next(it).base());
    }
}

} // namespace platform
