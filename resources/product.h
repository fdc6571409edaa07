/* Shared by the resource script and the code: what the product is called,
   its version and its one web site. */
#pragma once

#define QUORVEL_PRODUCT_NAME "Quorvel"

/* The version, once; the resource script derives both of its forms. */
#define QUORVEL_VERSION_MAJOR 1
#define QUORVEL_VERSION_MINOR 0
#define QUORVEL_VERSION_PATCH 0
#define QUORVEL_VERSION_BUILD 0

#define QUORVEL_VERSION_BINARY \
    QUORVEL_VERSION_MAJOR, QUORVEL_VERSION_MINOR, QUORVEL_VERSION_PATCH, QUORVEL_VERSION_BUILD
/* Two steps, so the numbers are expanded before they become a string. */
#define QUORVEL_STRING_OF(tokens) #tokens
#define QUORVEL_EXPANDED_STRING_OF(tokens) QUORVEL_STRING_OF(tokens)
#define QUORVEL_VERSION_TEXT \
    QUORVEL_EXPANDED_STRING_OF(QUORVEL_VERSION_MAJOR.QUORVEL_VERSION_MINOR.QUORVEL_VERSION_PATCH.QUORVEL_VERSION_BUILD)

#define QUORVEL_WEB_SITE "http://www.quorvel.cn"
