# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# cmake -DIN=FILE -DOUT=FILE -DVAR=VALUE... -P configure_crlf.cmake: IN with
# its @VAR@ replaced, as OUT, with the line ends of Windows.
configure_file(${IN} ${OUT} @ONLY NEWLINE_STYLE CRLF)
