// The program's version, in the forms the resources and the code need it.
// Plain preprocessor definitions: included by vaelto.rc as well as by C++.
#ifndef VAELTO_VERSION_H
#define VAELTO_VERSION_H

#define VAELTO_VERSION_MAJOR 1
#define VAELTO_VERSION_MINOR 0
#define VAELTO_VERSION_PATCH 0
#define VAELTO_VERSION_BUILD 0
#define VAELTO_VERSION_BINARY 1,0,0,0
#define VAELTO_VERSION_TEXT "1.0.0.0"

#endif
