#include "platform/SystemCalls.h"

#include <cstdio>
#include <unistd.h>

namespace zlc::platform {

namespace {

int StatPath(const char* path, struct stat* status) {
    return ::stat(path, status);
}

} // namespace

SystemCalls& Calls() {
    static SystemCalls calls{::fsync, ::pwrite, ::renameat, StatPath};
    return calls;
}

RestoreSystemCalls::RestoreSystemCalls() : saved_(Calls()) {}

RestoreSystemCalls::~RestoreSystemCalls() {
    Calls() = saved_;
}

} // namespace zlc::platform
