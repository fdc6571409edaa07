/* Shared by the resource script and the code: one web site for the product. */
#pragma once

#define QUORVEL_WEB_SITE "http://www.quorvel.cn"
