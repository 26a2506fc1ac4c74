#pragma once

#include "platform/outside/HostObjects.h"

namespace host
{

// The host program's About box.
class HostSysInfo : public platform::outside::SysInfo
{
public:
    void showAbout() override;
};

} // namespace host
