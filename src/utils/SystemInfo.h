// What the program knows about the machine and its user, and the text of the last system
// error for log lines. Names are trimmed of blanks; failures give empty texts.
#pragma once
#include <string>

bool IsWinNT();  // the NT family of Windows

// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion, with "Windows NT" in place of
// "Windows" on the NT family.
std::string CurrentVersionKey();

std::string GetLogonUserName();     // the user the process runs as
std::string GetComputerNameText();  // the computer's NetBIOS name
// "RegisteredOwner" under CurrentVersionKey; the logon user name when it cannot be read.
std::string GetRegisteredOwner();
// "RegisteredOrganization" under CurrentVersionKey; empty when it cannot be read.
std::string GetRegisteredOrganization();
// The domain that the system's account lookup gives for `accountName`.
std::string GetAccountDomain(const std::string& accountName);
std::string GetUserDomain();  // GetAccountDomain of the logon user

// The system's message for the calling thread's last error code, without its line end.
std::string LastErrorText();
