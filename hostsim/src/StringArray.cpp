// CQvlbwStringArray: all strings in one buffer, each NUL-terminated, found
// by their offsets. Refilling reuses the buffer's capacity.
#include <cstring>
#include <string>
#include <vector>

#include "host/Qvlbw.h"

struct CQvlbwStringArray::Impl {
    std::string text;
    std::vector<std::size_t> start;
};

// The pointer member is part of the class layout the library sees, so the
// array owns its Impl by hand.
CQvlbwStringArray::CQvlbwStringArray() : impl_(new Impl) {}
CQvlbwStringArray::~CQvlbwStringArray() { delete impl_; }

int CQvlbwStringArray::GetSize() const { return static_cast<int>(impl_->start.size()); }

const char* CQvlbwStringArray::GetAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= impl_->start.size()) return "";
    return impl_->text.data() + impl_->start[static_cast<std::size_t>(index)];
}

void CQvlbwStringArray::RemoveAll() {
    impl_->text.clear();
    impl_->start.clear();
}

// A negative length means text is NUL-terminated; a null text adds "".
void CQvlbwStringArray::Add(const char* text, int length) {
    std::size_t n = 0;
    if (text != nullptr) n = length < 0 ? std::strlen(text) : static_cast<std::size_t>(length);
    impl_->start.push_back(impl_->text.size());
    impl_->text.append(text != nullptr ? text : "", n);
    impl_->text.push_back('\0');
}
