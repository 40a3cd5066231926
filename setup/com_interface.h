// Move-only owner of one COM interface pointer, released when the owner goes.
#pragma once

#include <unknwn.h>

#include <utility>

template <class Interface>
class ComInterface {
public:
    ComInterface() = default;
    ComInterface(const ComInterface&) = delete;
    ComInterface& operator=(const ComInterface&) = delete;
    ComInterface(ComInterface&& other) noexcept
        : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComInterface& operator=(ComInterface&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.pointer_, nullptr));
        return *this;
    }
    ~ComInterface() { Reset(); }

    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // For CoCreateInstance and QueryInterface; releases the interface held first.
    void** Receive() {
        Reset();
        return reinterpret_cast<void**>(&pointer_);
    }

    void Reset(Interface* pointer = nullptr) {
        if (Interface* old = std::exchange(pointer_, pointer)) old->Release();
    }

private:
    Interface* pointer_ = nullptr;
};

// COM for the calling thread in a single-threaded apartment, for as long as the object lives.
class ComApartment {
public:
    ComApartment() : result_(CoInitialize(nullptr)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    // Only a successful CoInitialize is balanced: a thread that had entered another apartment
    // keeps it.
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }

private:
    HRESULT result_;
};
