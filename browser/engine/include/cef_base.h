// Reference counting shared by every engine object and every handler that
// code outside the engine implements.
#pragma once

#include <atomic>
#include <cstddef>
#include <utility>

// Base of every reference-counted engine interface. Implementations count with
// an interlocked counter and delete themselves when the count reaches zero.
class CefBase {
public:
    // Adds one reference; returns the new count.
    virtual int AddRef() = 0;
    // Drops one reference, deleting the object at zero; returns the new count.
    virtual int Release() = 0;
    // Current count, for diagnostics only.
    virtual int GetRefCt() = 0;

protected:
    virtual ~CefBase() = default;
};

// Interlocked counter used by IMPLEMENT_REFCOUNTING.
class CefRefCount {
public:
    int AddRef() { return refct_.fetch_add(1, std::memory_order_relaxed) + 1; }
    int Release() { return refct_.fetch_sub(1, std::memory_order_acq_rel) - 1; }
    int GetRefCt() const { return refct_.load(std::memory_order_acquire); }

private:
    std::atomic<int> refct_{0};
};

// Implements the three CefBase functions in a class that derives from a
// reference-counted engine interface.
#define IMPLEMENT_REFCOUNTING(ClassName)                                                           \
public:                                                                                            \
    int AddRef() override {                                                                        \
        return refct_.AddRef();                                                                    \
    }                                                                                              \
    int Release() override {                                                                       \
        const int remaining = refct_.Release();                                                    \
        if (remaining == 0)                                                                        \
            delete this;                                                                           \
        return remaining;                                                                          \
    }                                                                                              \
    int GetRefCt() override {                                                                      \
        return refct_.GetRefCt();                                                                  \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    CefRefCount refct_;

// Smart pointer holding one reference to a reference-counted object.
template <class T> class CefRefPtr {
public:
    CefRefPtr() = default;
    CefRefPtr(std::nullptr_t) {}
    CefRefPtr(T* p) : ptr_(p) {
        if (ptr_)
            ptr_->AddRef();
    }
    CefRefPtr(const CefRefPtr& r) : CefRefPtr(r.ptr_) {}
    template <class U> CefRefPtr(const CefRefPtr<U>& r) : CefRefPtr(r.get()) {}
    CefRefPtr(CefRefPtr&& r) noexcept : ptr_(std::exchange(r.ptr_, nullptr)) {}
    ~CefRefPtr() {
        if (ptr_)
            ptr_->Release();
    }

    CefRefPtr& operator=(T* p) {
        // Add first, so that assigning the pointer already held is safe.
        if (p)
            p->AddRef();
        T* old = std::exchange(ptr_, p);
        if (old)
            old->Release();
        return *this;
    }
    CefRefPtr& operator=(const CefRefPtr& r) { return *this = r.ptr_; }
    template <class U> CefRefPtr& operator=(const CefRefPtr<U>& r) { return *this = r.get(); }
    CefRefPtr& operator=(CefRefPtr&& r) noexcept {
        if (this != &r) {
            T* old = std::exchange(ptr_, std::exchange(r.ptr_, nullptr));
            if (old)
                old->Release();
        }
        return *this;
    }
    CefRefPtr& operator=(std::nullptr_t) { return *this = static_cast<T*>(nullptr); }

    T* get() const { return ptr_; }
    operator T*() const { return ptr_; }
    T* operator->() const { return ptr_; }
    T& operator*() const { return *ptr_; }
    void swap(CefRefPtr& r) noexcept { std::swap(ptr_, r.ptr_); }

private:
    T* ptr_ = nullptr;
};
