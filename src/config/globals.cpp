// The program's configuration objects live in one translation unit so that their
// construction order (application configuration first, project second) is fixed.
#include "config/softconf.h"
#include "project/projectconf.h"

CSoftConf g_SoftConf;
CProjectConf g_ProjectConf;
