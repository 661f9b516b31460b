select max(JournalMsl_id) as 'last' from MslElectro where electro_id=:id
