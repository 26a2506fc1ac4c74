#pragma once

#include "platform/outside/HostObjects.h"

namespace host
{

// The host program's system information for the component: its About box.
class HostSysInfo : public platform::outside::SysInfo
{
public:
    void showAbout() override;
};

} // namespace host
