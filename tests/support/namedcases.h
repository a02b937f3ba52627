// Rows of parameter tables that print, and name their tests, by their `name` member.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// In the including file's unnamed namespace, where its case structs live, so that GoogleTest
// finds PrintTo by argument-dependent lookup.
namespace {

template <typename Case>
    requires requires(const Case &c) { c.name; }
void PrintTo(const Case &c, std::ostream *out)
{
    *out << c.name;
}

template <typename Case>
std::string caseName(const testing::TestParamInfo<Case> &info)
{
    return info.param.name;
}

} // namespace
