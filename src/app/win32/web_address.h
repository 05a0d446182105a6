// Opening a web address in the user's browser.
#pragma once

// True when the shell or the browser registered for web pages accepted the address.
bool openWebAddress(const wchar_t* address);
