"""Pieces of the comparison benchmark that bench/run puts together."""
