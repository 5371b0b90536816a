// Resource ids shared by the forms and the resource script (plain
// #defines so that windres can read them too).
#pragma once

#define VARNEL_IDI_MAIN 101
#define VARNEL_IDB_TOOLBAR 201
#define VARNEL_IDB_LIST 202
#define VARNEL_IDB_TREE 203
#define VARNEL_IDB_STATUS 204
#define VARNEL_IDI_LOGO 102
#define VARNEL_IDI_SEARCH 103
