// A stand-in host program for binding tests: it exports every host function by
// its plain name. Built with SKELVANE_TEST_HOST_WITHOUT_XML_VALUE, it lacks the
// last one, MQXmlElem_Value. Each function returns its own name, so no two
// functions can be folded into one address.
#include "frame/MQHost.h"

#if defined(SKELVANE_TEST_HOST_WITHOUT_XML_VALUE)
// The definition below is then exported under another name.
#define MQXmlElem_Value MQXmlElem_Value_Withheld
#endif
#if defined(SKELVANE_TEST_HOST_WITHOUT_NAME_READERS)
// As the modeller's newer SDK binds: without the two name readers.
#define MQObj_GetName MQObj_GetName_Withheld
#define MQMat_GetName MQMat_GetName_Withheld
#endif

#define TEST_HOST_EXPORT(name)                                                                     \
    extern "C" __attribute__((visibility("default"))) const char* name(void) {                     \
        return #name;                                                                              \
    }
#define TEST_HOST_ENTRY(ret, name, params) TEST_HOST_EXPORT(name)

MQ_HOST_FUNCTIONS(TEST_HOST_ENTRY, TEST_HOST_ENTRY)
