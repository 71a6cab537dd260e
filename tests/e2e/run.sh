#!/usr/bin/env bash
# End-to-end runs (placeholder).
exit 0
