// Helpers of the wrapper implementations (not part of the public interface).
#pragma once

#include <utility>
#include <vector>

#include "graphics/GxObject.h"

namespace gxcall {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

// Stores a status in LastStatus; true exactly for Ok.
inline bool Check(GpStatus status) noexcept { return GxStoreStatus(status); }

// Runs a getter with one out value; the value stays zero on failure.
template <class T, class Call>
T Get(Call&& call) noexcept {
    T value{};
    Check(call(&value));
    return value;
}

// Native handle of an optional wrapper argument: null stands for GDI+'s default.
template <class W>
auto* NativeOf(const W* wrapper) noexcept {
    return wrapper ? wrapper->Handle() : nullptr;
}

inline MatrixOrder Ord(int order) noexcept { return static_cast<MatrixOrder>(order); }

inline int Count(std::size_t n) noexcept { return static_cast<int>(n); }

// Out arrays: the count GDI+ reports first, then the fill call; `out` changes only when
// both succeed.
template <class T, class CountCall, class FillCall>
bool GetArray(std::vector<T>& out, CountCall&& count, FillCall&& fill) {
    INT n = 0;
    if (!Check(count(&n))) return false;
    std::vector<T> values(static_cast<std::size_t>(n > 0 ? n : 0));
    if (n > 0 && !Check(fill(values.data(), n))) return false;
    out = std::move(values);
    return true;
}

// Two arrays that GDI+ reads with one count must be of one length.
template <class A, class B>
bool SameLength(const A& a, const B& b) noexcept {
    if (a.size() == b.size()) return true;
    Check(InvalidParameter);
    return false;
}

// Status of the last step of a three-step transform around a point (prepend order:
// translate, op, translate back; otherwise the reverse order, each in the given order).
template <class Translate, class Op>
bool AroundPoint(float x, float y, int order, Translate&& translate, Op&& op) noexcept {
    if (order == 0) {
        translate(x, y, MatrixOrderPrepend);
        op(MatrixOrderPrepend);
        return Check(translate(-x, -y, MatrixOrderPrepend));
    }
    const auto o = static_cast<MatrixOrder>(order);
    translate(-x, -y, o);
    op(o);
    return Check(translate(x, y, o));
}

}  // namespace gxcall
