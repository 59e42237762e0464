#pragma once

#include <QString>

// The login name of the effective user and the computer's host name. Each is asked of the
// system once and kept for the rest of the run; empty when the system cannot tell.
QString GetLoginName();
QString GetMachineName();

// How many times the system has been asked for either name (to check the caching).
int SysInfoQueryCount();
