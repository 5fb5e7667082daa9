// Facts about the system the tests run on, for the few tests whose outcome
// depends on it rather than on the code under test.
#pragma once

// True when this Windows program runs under Wine started by the Unix user
// root, who may write to read-only files as root may on Linux. Always false
// in the native build, whose file layer enforces the attribute itself.
bool RunsUnderWineAsRoot();
