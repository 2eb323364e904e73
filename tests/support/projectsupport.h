#pragma once
// Helpers for the project tests: the fixture catalogue they load.

// Writes "Lantrel.xml" in the working folder (the shipped catalogue plus a type 0xFFFFFFFF,
// tracing to the window only), reads it into g_SoftConf and starts tracing.
bool LoadProjectTestCatalogue();
