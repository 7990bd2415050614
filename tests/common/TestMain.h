#pragma once
// Every module has one test executable; each test class registers itself here
// and the common main runs them all in registration order.

#include <QObject>
#include <functional>
#include <memory>

namespace TestRegistry {
using Factory = std::function<std::unique_ptr<QObject>()>;
bool add(const char* name, Factory factory);
} // namespace TestRegistry

#define TAVLO_TEST(Class)                                                                          \
    static const bool tavloTestRegistered_##Class =                                                \
        TestRegistry::add(#Class, [] { return std::unique_ptr<QObject>(new Class); })
