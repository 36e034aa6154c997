#include "app/thread_resource_pool.h"

ThreadResourcePool::ThreadResourcePool(const std::string& name) : name_(name) {}
