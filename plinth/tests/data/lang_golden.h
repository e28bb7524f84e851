/* This file was automatically generated - DO NOT EDIT */
#define MSG_OK 0
#define MSG_ONLY_HU 1
#define MSG_TWICE 2
#define MSG_EMPTY 3
#define MSG_MULTI 4
