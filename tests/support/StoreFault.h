#pragma once

#include "link/LinkState.h"

#include <new>

// While it lives, the write path's n-th store into the image (counted from 1,
// link/MapWrite.h through ImageStoreSeam) throws std::bad_alloc, as a memory that
// runs short would; every store is counted, the stores after the n-th go through.
class StoreFault {
public:
    explicit StoreFault(int n) : n_(n) {
        ImageStoreSeam = [this](int, int) {
            if (++stores_ == n_)
                throw std::bad_alloc();
        };
    }
    ~StoreFault() { ImageStoreSeam = {}; }
    StoreFault(const StoreFault&) = delete;
    StoreFault& operator=(const StoreFault&) = delete;

    // The stores tried so far, the one that threw included.
    int stores() const { return stores_; }
    // The n-th store has been tried (and thrown).
    bool struck() const { return stores_ >= n_; }

private:
    int n_;
    int stores_ = 0;
};
