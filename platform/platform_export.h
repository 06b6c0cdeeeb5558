#pragma once
// Marks the API of the shared platform library; everything else in it is
// hidden by the default visibility.
#define PLATFORM_SHARED_API __attribute__((visibility("default")))
