/* SPDX-FileCopyrightText: 2026 The kevrareplace developers */
/* SPDX-License-Identifier: MIT */

#ifndef KEVRAREPLACE_EXPORT_H
#define KEVRAREPLACE_EXPORT_H

/* The library is built with every symbol hidden: what carries this is its interface. */
#if defined(KEVRAREPLACE_BUILDING_LIBRARY) && defined(__GNUC__)
#define KEVRAREPLACE_EXPORT __attribute__((visibility("default")))
#else
#define KEVRAREPLACE_EXPORT
#endif

#endif /* KEVRAREPLACE_EXPORT_H */
