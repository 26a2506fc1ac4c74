#pragma once

namespace component
{

// Results of the library's entry points, with the values COM gives them (negative: failure).
namespace hresult
{
constexpr int Ok = 0;
constexpr int False = 1;
constexpr int NoInterface = static_cast<int>(0x80004002u);
constexpr int Pointer = static_cast<int>(0x80004003u);
constexpr int Fail = static_cast<int>(0x80004005u);
constexpr int ClassNotAvailable = static_cast<int>(0x80040111u);
constexpr int RegisterClassFailed = static_cast<int>(0x80040201u);
} // namespace hresult

} // namespace component
