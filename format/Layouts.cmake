target_sources(skelvane_format PRIVATE
)
