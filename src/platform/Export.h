#pragma once

// What a host reaches in libOrvReport.so: the public class, the entry points, and the members of the
// database layer with which a host hands over its connection and a ready record set. The build hides
// everything else.
#define ORV_EXPORT __attribute__((visibility("default")))
