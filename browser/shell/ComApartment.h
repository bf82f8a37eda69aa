#pragma once

// The calling thread's membership in a multithreaded COM apartment (with
// OLE1 DDE disabled), for the span of this object. Outside Windows there is no
// COM and the object always counts as joined.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool joined() const { return joined_; }

private:
    bool joined_ = false;
};
