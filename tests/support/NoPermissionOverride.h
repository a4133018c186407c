#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// While it lives, the calling thread is held to the files' permissions even when
// it runs as root: the capabilities that let root write into a folder without
// write permission are taken out of the thread's effective set, and put back
// afterwards. A folder without write permission then refuses a new file as it
// refuses any other user.
class NoPermissionOverride {
public:
    NoPermissionOverride() {
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        header_.pid = 0;
        if (syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &=
            ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        active_ = syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~NoPermissionOverride() {
        if (active_)
            syscall(SYS_capset, &header_, saved_);
    }
    NoPermissionOverride(const NoPermissionOverride&) = delete;
    NoPermissionOverride& operator=(const NoPermissionOverride&) = delete;
    bool active() const { return active_; }

private:
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool active_ = false;
};
